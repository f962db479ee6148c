// How numbers are written: the number text put back into drawing texts and the short number form
// joined into hints.
#pragma once

#include <QString>
#include <QtGlobal>

#include <concepts>
#include <type_traits>

namespace core {

// Number text: v rounded to 15 significant digits (to nearest, ties to even on the exact binary
// value), written with "." as point, a leading "-" for negatives, no trailing zeros after the
// point, no point when whole, no grouping; -0 writes "0". Plain notation covers rounded
// magnitudes from 1E-05 up to below 1E+15; outside it the exponent form "1.5E+20" / "1E-07" is
// used (mantissa without trailing zeros, "E", sign, at least two exponent digits).
// Infinities and NaN write "inf", "-inf" and "nan", which do not read back as numbers.
QString numberText(double v);

// Short number form of a double: like numberText, but a value that is not negative gets a blank
// in front and a magnitude below 1 has no zero before the point (0.5 gives " .5", -0.25 "-.25",
// 0 " 0", 1.5E+20 " 1.5E+20"). Same rounding and thresholds as numberText.
QString shortNumber(double v);

// Short number form of a single-precision value: at most 7 significant digits, rounded from the
// exact float value; plain notation from 1E-05 up to below 1E+07, exponent form outside it
// (1e10f gives " 1E+10").
QString shortNumber(float v);

// Short number form of a whole number (counts): the digits with a blank or "-" in front.
QString shortWholeNumber(qint64 v);

template <std::integral T>
requires(!std::same_as<T, bool> && (sizeof(T) < sizeof(qint64) || std::is_signed_v<T>)) QString
    shortNumber(T v) {
    return shortWholeNumber(static_cast<qint64>(v));
}

}  // namespace core
