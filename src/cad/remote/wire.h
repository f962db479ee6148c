// Bounds-checked little-endian encoding of the protocol's fields.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace cad::remote {

// Appends fields to a message under construction.
class Writer {
public:
    void u8(std::uint8_t v) { m_bytes.append(static_cast<char>(v)); }
    void u32(std::uint32_t v);
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f64(double v);
    void text(const QString& s);

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Reads fields from a received message. The first field that does not fit puts the reader in
// the failed state: every later read gives zero, and the first reason is kept.
class Reader {
public:
    explicit Reader(QByteArrayView bytes) : m_bytes(bytes) {}

    std::uint8_t u8();
    std::uint32_t u32();
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    double f64();
    QString text();
    // A count of items that each take at least itemSize bytes: more than the rest could hold
    // fails the reader, so a hostile count never makes us allocate.
    std::uint32_t count(std::size_t itemSize);

    void fail(const QString& reason);
    bool failed() const { return !m_failure.isEmpty(); }
    const QString& failure() const { return m_failure; }
    bool atEnd() const { return m_pos == m_bytes.size(); }

private:
    bool take(qsizetype n);

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    QString m_failure;
};

}  // namespace cad::remote
