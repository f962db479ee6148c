// Message framing: a little-endian length, then that many bytes.
#include "cad/remote/frame.h"

#include <QtEndian>

namespace cad::remote {

QByteArray frame(const QByteArray& payload) {
    QByteArray out(4, Qt::Uninitialized);
    qToLittleEndian(static_cast<std::uint32_t>(payload.size()), out.data());
    out.append(payload);
    return out;
}

std::optional<QByteArray> FrameBuffer::next() {
    if (m_oversize || m_bytes.size() - m_pos < 4) {
        return std::nullopt;
    }
    const auto length = qFromLittleEndian<std::uint32_t>(m_bytes.constData() + m_pos);
    if (length > kMaxMessage) {
        m_oversize = true;
        return std::nullopt;
    }
    if (m_bytes.size() - m_pos - 4 < static_cast<qsizetype>(length)) {
        // Drop what was consumed so a long stream of small messages does not pile up.
        m_bytes.remove(0, m_pos);
        m_pos = 0;
        return std::nullopt;
    }
    QByteArray payload = m_bytes.mid(m_pos + 4, length);
    m_pos += 4 + length;
    if (m_pos == m_bytes.size()) {
        m_bytes.clear();
        m_pos = 0;
    }
    return payload;
}

}  // namespace cad::remote
