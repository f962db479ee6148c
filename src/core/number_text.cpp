// Number text and short number form, built from std::to_chars so neither locale nor platform
// printf conventions leak into texts written to the drawing.
#include "core/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

using namespace Qt::StringLiterals;

namespace core {
namespace {

// Plain notation from 1E-05 on; anything smaller is easier to read in exponent form.
constexpr int kSmallestPlainExponent = -5;
constexpr int kDoubleDigits = 15;
constexpr int kFloatDigits = 7;

enum class Form {
    Text,   // "0.5", "-2"
    Short,  // " .5", "-2"
};

// A value rounded to a number of significant digits: digits without trailing zeros (empty for
// zero) and the decimal exponent of the first digit.
struct Rounded {
    bool negative = false;
    std::array<char, 24> digits{};
    int count = 0;
    int exponent = 0;
};

template <typename F>
Rounded roundToDigits(F v, int significant) {
    Rounded r;
    r.negative = std::signbit(v);
    std::array<char, 64> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(v),
                                   std::chars_format::scientific, significant - 1);
    Q_ASSERT(res.ec == std::errc());
    // buf now holds d[.ddd]e±XX
    const char* p = buf.data();
    for (; p < res.ptr && *p != 'e'; ++p) {
        if (*p != '.') {
            r.digits[r.count++] = *p;
        }
    }
    while (r.count > 0 && r.digits[r.count - 1] == '0') {
        --r.count;
    }
    ++p;  // 'e'
    const bool negativeExponent = *p == '-';
    ++p;
    std::from_chars(p, res.ptr, r.exponent);
    if (negativeExponent) {
        r.exponent = -r.exponent;
    }
    if (r.count == 0) {
        r.negative = false;
        r.exponent = 0;
    }
    return r;
}

void appendDigits(QString& out, const Rounded& r, int from, int to) {
    for (int i = from; i < to; ++i) {
        out += QLatin1Char(r.digits[i]);
    }
}

QString render(const Rounded& r, int significant, Form form) {
    QString out;
    if (r.negative) {
        out += u'-';
    } else if (form == Form::Short) {
        out += u' ';
    }
    if (r.count == 0) {
        out += u'0';
        return out;
    }
    if (r.exponent >= significant || r.exponent < kSmallestPlainExponent) {
        appendDigits(out, r, 0, 1);
        if (r.count > 1) {
            out += u'.';
            appendDigits(out, r, 1, r.count);
        }
        out += r.exponent < 0 ? u"E-"_s : u"E+"_s;
        const int e = std::abs(r.exponent);
        if (e < 10) {
            out += u'0';
        }
        out += QString::number(e);
        return out;
    }
    if (r.exponent >= 0) {
        const int intDigits = r.exponent + 1;
        appendDigits(out, r, 0, std::min(intDigits, r.count));
        for (int i = r.count; i < intDigits; ++i) {
            out += u'0';
        }
        if (r.count > intDigits) {
            out += u'.';
            appendDigits(out, r, intDigits, r.count);
        }
        return out;
    }
    if (form == Form::Text) {
        out += u'0';
    }
    out += u'.';
    for (int i = r.exponent + 1; i < 0; ++i) {
        out += u'0';
    }
    appendDigits(out, r, 0, r.count);
    return out;
}

template <typename F>
QString format(F v, int significant, Form form) {
    if (std::isnan(v)) {
        return form == Form::Short ? u" nan"_s : u"nan"_s;
    }
    if (std::isinf(v)) {
        return v < 0 ? u"-inf"_s : form == Form::Short ? u" inf"_s : u"inf"_s;
    }
    return render(roundToDigits(v, significant), significant, form);
}

}  // namespace

QString numberText(double v) {
    return format(v, kDoubleDigits, Form::Text);
}

QString shortNumber(double v) {
    return format(v, kDoubleDigits, Form::Short);
}

QString shortNumber(float v) {
    return format(v, kFloatDigits, Form::Short);
}

QString shortWholeNumber(qint64 v) {
    return v < 0 ? QString::number(v) : u' ' + QString::number(v);
}

}  // namespace core
