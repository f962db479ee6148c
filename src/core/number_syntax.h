// The decimal number syntax by which texts from the drawing and from input boxes read as numbers.
#pragma once

#include <QStringView>

#include <optional>

namespace core {

// A decimal number: optional U+0020 blanks, an optional sign "+" or "-", ASCII digits with at
// most one "." and at least one digit (".5" and "5." both count), an optional exponent "E" or
// "e" with an optional sign and at least one digit, optional blanks, and nothing else.
bool isDecimalNumber(QStringView s);

// The value of s when s as a whole is a decimal number. The digits are rounded to the nearest
// double however many there are; a magnitude beyond the double range reads as infinity of the
// number's sign, one below the smallest subnormal as zero of its sign, as an over-long literal
// does in C. The syntax alone decides whether s is a number, never the value.
std::optional<double> decimalValue(QStringView s);

// The value of the longest leading part of s that is a decimal number ("12m" gives 12, "1e5x"
// 100000, "1e" 1), 0 when no leading part is ("abc", "-", ""). One pass over s.
double leadingNumber(QStringView s);

}  // namespace core
