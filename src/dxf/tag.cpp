// Group-code value types, blank trimming and the number forms of DXF values.
#include "dxf/tag.h"

#include <QtGlobal>

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace dxf {

namespace {

constexpr int kTableSize = 1072;

constexpr std::array<ValueType, kTableSize> makeTypeTable() {
    std::array<ValueType, kTableSize> table{};
    auto set = [&table](int first, int last, ValueType type) {
        for (int code = first; code <= last; ++code)
            table[code] = type;
    };
    set(0, kTableSize - 1, ValueType::Text);
    set(5, 5, ValueType::Handle);
    set(10, 59, ValueType::Double);
    set(60, 79, ValueType::Int16);
    set(90, 99, ValueType::Int32);
    set(105, 105, ValueType::Handle);
    set(110, 149, ValueType::Double);
    set(160, 169, ValueType::Int64);
    set(170, 179, ValueType::Int16);
    set(210, 239, ValueType::Double);
    set(270, 289, ValueType::Int16);
    set(290, 299, ValueType::Bool);
    set(310, 319, ValueType::Binary);
    set(320, 369, ValueType::Handle);
    set(370, 389, ValueType::Int16);
    set(390, 399, ValueType::Handle);
    set(400, 409, ValueType::Int16);
    set(420, 429, ValueType::Int32);
    set(440, 459, ValueType::Int32);
    set(460, 469, ValueType::Double);
    set(480, 481, ValueType::Handle);
    set(1004, 1004, ValueType::Binary);
    set(1005, 1005, ValueType::Handle);
    set(1010, 1059, ValueType::Double);
    set(1060, 1070, ValueType::Int16);
    set(1071, 1071, ValueType::Int32);
    return table;
}

constexpr std::array<ValueType, kTableSize> kTypes = makeTypeTable();

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The number text without blanks and without a leading '+', which from_chars refuses.
QByteArrayView numberText(QByteArrayView raw) {
    QByteArrayView text = trimmedBlanks(raw);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text = text.sliced(1);
    return text;
}

}  // namespace

ValueType valueType(int code) {
    if (code < 0 || code >= kTableSize)
        return ValueType::Text;
    return kTypes[code];
}

bool isNumeric(ValueType type) {
    switch (type) {
        case ValueType::Double:
        case ValueType::Int16:
        case ValueType::Int32:
        case ValueType::Int64:
        case ValueType::Bool:
            return true;
        case ValueType::Text:
        case ValueType::Handle:
        case ValueType::Binary:
            return false;
    }
    return false;
}

Tag::Tag(int code, QByteArrayView value)
    : m_data(value.data()), m_size(quint32(value.size())), m_code(code) {
    Q_ASSERT(value.size() <= qsizetype(std::numeric_limits<quint32>::max()));
}

QByteArrayView Tag::trimmedValue() const {
    return trimmedBlanks(value());
}

bool Tag::is(int code, QByteArrayView keyword) const {
    return m_code == code && trimmedValue() == keyword;
}

QByteArrayView trimmedBlanks(QByteArrayView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

std::optional<double> toDouble(QByteArrayView raw) {
    const QByteArrayView text = numberText(raw);
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.isEmpty())
        return std::nullopt;
    return value;
}

std::optional<qint64> toInteger(QByteArrayView raw) {
    const QByteArrayView text = numberText(raw);
    qint64 value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.isEmpty())
        return std::nullopt;
    return value;
}

namespace {

// Plain decimals ("12", "-0.5", "3.") are settled by their characters alone; anything else
// (exponents, inf, nan, very long numbers) is left to from_chars, so whatever passes here also
// parses.
enum class Shape { Integer, Decimal, Other };

Shape plainShape(QByteArrayView raw) {
    const QByteArrayView text = numberText(raw);
    qsizetype i = 0;
    const qsizetype size = text.size();
    if (size == 0 || size > 18)
        return Shape::Other;
    if (text[0] == '-')
        ++i;
    qsizetype digits = 0;
    bool point = false;
    for (; i < size; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.' && !point)
            point = true;
        else
            return Shape::Other;
    }
    if (digits == 0)
        return Shape::Other;
    return point ? Shape::Decimal : Shape::Integer;
}

}  // namespace

bool isValidValue(ValueType type, QByteArrayView raw) {
    switch (type) {
        case ValueType::Double:
            return plainShape(raw) != Shape::Other || toDouble(raw).has_value();
        case ValueType::Int16:
        case ValueType::Int32:
        case ValueType::Int64:
        case ValueType::Bool:
            return plainShape(raw) != Shape::Other || toInteger(raw).has_value() ||
                   toDouble(raw).has_value();
        case ValueType::Text:
        case ValueType::Handle:
        case ValueType::Binary:
            return true;
    }
    return true;
}

QByteArray formatDouble(double value) {
    char buffer[64];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    Q_ASSERT(ec == std::errc());
    QByteArray text(buffer, ptr - buffer);
    if (std::isfinite(value) && !text.contains('.') && !text.contains('e'))
        text += ".0";
    return text;
}

QByteArray formatInteger(qint64 value) {
    char buffer[24];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    Q_ASSERT(ec == std::errc());
    return QByteArray(buffer, ptr - buffer);
}

}  // namespace dxf
