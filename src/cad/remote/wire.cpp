// Field encoding: fixed-width little-endian numbers, texts as UTF-16 units with a count.
#include "cad/remote/wire.h"

#include <QtEndian>
#include <bit>

namespace cad::remote {

void Writer::u32(std::uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    m_bytes.append(b, 4);
}

void Writer::f64(double v) {
    char b[8];
    qToLittleEndian(std::bit_cast<std::uint64_t>(v), b);
    m_bytes.append(b, 8);
}

void Writer::text(const QString& s) {
    u32(static_cast<std::uint32_t>(s.size()));
    for (QChar c : s) {
        char b[2];
        qToLittleEndian(c.unicode(), b);
        m_bytes.append(b, 2);
    }
}

bool Reader::take(qsizetype n) {
    if (failed()) {
        return false;
    }
    if (n > m_bytes.size() - m_pos) {
        fail(QStringLiteral("消息不完整"));
        return false;
    }
    return true;
}

std::uint8_t Reader::u8() {
    if (!take(1)) {
        return 0;
    }
    return static_cast<std::uint8_t>(m_bytes[m_pos++]);
}

std::uint32_t Reader::u32() {
    if (!take(4)) {
        return 0;
    }
    const auto v = qFromLittleEndian<std::uint32_t>(m_bytes.data() + m_pos);
    m_pos += 4;
    return v;
}

double Reader::f64() {
    if (!take(8)) {
        return 0;
    }
    const auto v = qFromLittleEndian<std::uint64_t>(m_bytes.data() + m_pos);
    m_pos += 8;
    return std::bit_cast<double>(v);
}

QString Reader::text() {
    const std::uint32_t n = count(2);
    if (failed()) {
        return {};
    }
    QString s(static_cast<qsizetype>(n), Qt::Uninitialized);
    for (std::uint32_t i = 0; i < n; ++i) {
        s[i] = QChar(qFromLittleEndian<char16_t>(m_bytes.data() + m_pos));
        m_pos += 2;
    }
    return s;
}

std::uint32_t Reader::count(std::size_t itemSize) {
    const std::uint32_t n = u32();
    if (!failed() && static_cast<std::uint64_t>(n) * itemSize >
                         static_cast<std::uint64_t>(m_bytes.size() - m_pos)) {
        fail(QStringLiteral("消息中的个数超出消息长度"));
        return 0;
    }
    return n;
}

void Reader::fail(const QString& reason) {
    if (!failed()) {
        m_failure = reason;
    }
}

}  // namespace cad::remote
