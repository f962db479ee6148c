// Length-prefixed framing of the protocol's messages on a byte stream.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace cad::remote {

// No message may be larger; a length above it ends the connection.
inline constexpr std::uint32_t kMaxMessage = 16 * 1024 * 1024;

// The payload with its 4-byte little-endian length in front.
QByteArray frame(const QByteArray& payload);

// Collects received bytes and cuts whole messages out of them.
class FrameBuffer {
public:
    void append(const QByteArray& bytes) { m_bytes.append(bytes); }
    // The next whole message, or nullopt when it has not fully arrived (or is oversize).
    std::optional<QByteArray> next();
    // A length above the cap was announced: the stream cannot be trusted any more.
    bool oversize() const { return m_oversize; }
    // Bytes received and not yet cut out.
    qsizetype pending() const { return m_bytes.size() - m_pos; }

private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
    bool m_oversize = false;
};

}  // namespace cad::remote
