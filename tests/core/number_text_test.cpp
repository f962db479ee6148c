// Number text written back into drawings and the short number form of hints.
#include "core/number_text.h"
#include "core/number_syntax.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"

#include <QString>

#include <cmath>
#include <limits>
#include <numbers>

using namespace Qt::StringLiterals;

namespace {

struct DoubleCase {
    double value;
    QString expected;
};

struct FloatCase {
    float value;
    QString expected;
};

TEST(NumberText, WritesResultsOfEditsInPlainDecimal) {
    const DoubleCase cases[] = {
        {10 * 6.6, u"66"_s},
        {1.25 * 2, u"2.5"_s},
        {12345678 + 1, u"12345679"_s},  // eight significant digits stay
        {66 + 12, u"78"_s},
        {1.5 + 66, u"67.5"_s},
        {10.0 / 3, u"3.33333333333333"_s},
        {0.1 + 0.2, u"0.3"_s},
        {12345678901234567890.0, u"1.23456789012346E+19"_s},
        {-12.5, u"-12.5"_s},
        {0.0 * -1, u"0"_s},
        {0, u"0"_s},
        {100, u"100"_s},
        {0.25, u"0.25"_s},
        {-0.001, u"-0.001"_s},
        {2.0 / 3, u"0.666666666666667"_s},
        {123456.789, u"123456.789"_s},
    };
    for (const DoubleCase& c : cases) {
        EXPECT_EQ(core::numberText(c.value), c.expected) << c.value;
    }
}

TEST(NumberText, SwitchesToExponentFormOutsidePlainRange) {
    const DoubleCase cases[] = {
        {999999999999999.0, u"999999999999999"_s},
        {1e15, u"1E+15"_s},
        {999999999999999.9, u"1E+15"_s},  // rounding to 15 digits carries into a new digit
        {1.5e20, u"1.5E+20"_s},
        {-2.25e100, u"-2.25E+100"_s},
        {0.00001, u"0.00001"_s},
        {0.0000123, u"0.0000123"_s},
        {0.000009999999999999999, u"0.00001"_s},
        {1e-7, u"1E-07"_s},
        {-3.5e-300, u"-3.5E-300"_s},
        {std::numeric_limits<double>::denorm_min(), u"4.94065645841247E-324"_s},
    };
    for (const DoubleCase& c : cases) {
        EXPECT_EQ(core::numberText(c.value), c.expected) << c.value;
    }
}

TEST(NumberText, WritesNonFiniteValuesAsTextsThatAreNoNumbers) {
    const double inf = std::numeric_limits<double>::infinity();
    for (const double v : {inf, -inf, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(core::isDecimalNumber(core::numberText(v))) << v;
    }
    EXPECT_EQ(core::numberText(-inf), u"-inf"_s);
}

TEST(NumberText, ReadsBackAsTheSameFifteenDigitNumber) {
    const double values[] = {
        10.0 / 3, -1.0 / 7, std::numbers::pi * 1e10, 1e15 / 7, 1e-5 / 3, 6.02214076e23, 1e-310,
    };
    for (const double v : values) {
        const QString text = core::numberText(v);
        const std::optional<double> back = core::decimalValue(text);
        ASSERT_TRUE(back.has_value()) << text.toStdString();
        EXPECT_EQ(core::numberText(*back), text);
        EXPECT_NEAR(*back, v, std::fabs(v) * 1e-14) << text.toStdString();
    }
}

TEST(NumberText, TwentyDigitTextComesBackWithFifteenSignificantDigits) {
    const std::optional<double> v = core::decimalValue(u"98765432109876543210");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(core::numberText(*v), u"9.87654321098765E+19"_s);
    EXPECT_EQ(core::numberText(*v + 66), u"9.87654321098765E+19"_s);
}

TEST(ShortNumber, PutsBlankOrMinusInFrontAndDropsLeadingZero) {
    const DoubleCase cases[] = {
        {0.5, u" .5"_s},
        {2, u" 2"_s},
        {0, u" 0"_s},
        {-0.0, u" 0"_s},
        {-0.25, u"-.25"_s},
        {12.5, u" 12.5"_s},
        {12.25, u" 12.25"_s},
        {-3, u"-3"_s},
        {0.001, u" .001"_s},
        {10.0 / 3, u" 3.33333333333333"_s},
        {1.5e20, u" 1.5E+20"_s},
        {1e-20, u" 1E-20"_s},
        {-1e-20, u"-1E-20"_s},
        {0.1 + 0.2, u" .3"_s},
    };
    for (const DoubleCase& c : cases) {
        EXPECT_EQ(core::shortNumber(c.value), c.expected) << c.value;
    }
}

TEST(ShortNumber, SinglePrecisionShowsAtMostSevenDigits) {
    const FloatCase cases[] = {
        {256.5f, u" 256.5"_s},
        {115.7080f, u" 115.708"_s},
        {0.5f, u" .5"_s},
        {0.0f, u" 0"_s},
        {-0.25f, u"-.25"_s},
        {1.0f / 3, u" .3333333"_s},
        {1e10f, u" 1E+10"_s},
        {9999999.0f, u" 9999999"_s},
        {12345678.0f, u" 1.234568E+07"_s},
        {0.00001f, u" .00001"_s},
        {1e-6f, u" 1E-06"_s},
        {0.1f, u" .1"_s},  // not the float's long binary expansion
    };
    for (const FloatCase& c : cases) {
        EXPECT_EQ(core::shortNumber(c.value), c.expected) << c.value;
    }
}

TEST(ShortNumber, LineTotalOfTheWorkedExampleShowsSevenDigits) {
    // A line of 1000 and a quarter arc of radius 100 at 1:100, totalled in single precision.
    float total = 0;
    total = static_cast<float>(total + 1000.0);
    total = static_cast<float>(total + 100 * std::numbers::pi / 2);
    total = static_cast<float>(total / 0.01);
    total = static_cast<float>(total / 1000);
    EXPECT_EQ(core::shortNumber(total), u" 115.708"_s);
}

TEST(ShortNumber, WholeNumbersShowPlainDigits) {
    EXPECT_EQ(core::shortNumber(3), u" 3"_s);
    EXPECT_EQ(core::shortNumber(0), u" 0"_s);
    EXPECT_EQ(core::shortNumber(-12), u"-12"_s);
    EXPECT_EQ(core::shortNumber(qint64{1234567890123456789}), u" 1234567890123456789"_s);
}

}  // namespace
