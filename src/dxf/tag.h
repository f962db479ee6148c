// One DXF group (code and raw value text) and the value types that group codes imply.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace dxf {

// What a group code's value holds; everything not numeric is kept and written as text.
enum class ValueType : quint8 {
    Text,
    Double,
    Int16,
    Int32,
    Int64,
    Bool,
    Handle,  // hexadecimal handle or object id
    Binary,  // hexadecimal binary chunk
};

ValueType valueType(int code);
bool isNumeric(ValueType type);

// A group code with a view of its raw value text: the exact bytes of the value line without its
// line terminator. The bytes belong to the Document that made the tag, so a tag is only valid
// while that document lives.
class Tag {
public:
    constexpr Tag() = default;
    Tag(int code, QByteArrayView value);

    constexpr int code() const { return m_code; }
    constexpr QByteArrayView value() const { return {m_data, qsizetype(m_size)}; }
    // The value without surrounding blanks, the form names and keywords are compared in.
    QByteArrayView trimmedValue() const;
    bool is(int code, QByteArrayView keyword) const;

private:
    const char* m_data = nullptr;
    quint32 m_size = 0;
    qint32 m_code = 0;
};

// Blanks (spaces and tabs) trimmed from both ends.
QByteArrayView trimmedBlanks(QByteArrayView text);

// Number parsing of raw values: blanks around the number are allowed, and so is a leading '+'
// that some writers put in front of exponents and coordinates alike.
std::optional<double> toDouble(QByteArrayView raw);
std::optional<qint64> toInteger(QByteArrayView raw);
// Whether raw is acceptable for a group of the given type. Integers written as "1.0" are
// accepted because other writers produce them and readers take them.
bool isValidValue(ValueType type, QByteArrayView raw);

// Shortest text that reads back as the same double, always with a decimal point or exponent.
QByteArray formatDouble(double value);
QByteArray formatInteger(qint64 value);

}  // namespace dxf
