// Which texts read as decimal numbers, the values they read as, and leading numbers.
#include "core/number_syntax.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"

#include <QString>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

struct ValueCase {
    QString text;
    double value;
};

TEST(DecimalNumber, AcceptsEveryFormOfTheSyntax) {
    const ValueCase cases[] = {
        {u"12"_s, 12},        {u" 12 "_s, 12},      {u"1.50"_s, 1.5},          {u".5"_s, 0.5},
        {u"5."_s, 5},         {u"+1e3"_s, 1000},    {u" -2.5E-3 "_s, -0.0025}, {u"-.5"_s, -0.5},
        {u"+.5e+1"_s, 5},     {u"007"_s, 7},        {u"1E05"_s, 100000},       {u"0"_s, 0},
        {u"   3.25"_s, 3.25}, {u"3.25   "_s, 3.25},
    };
    for (const ValueCase& c : cases) {
        EXPECT_TRUE(core::isDecimalNumber(c.text)) << c.text.toStdString();
        const std::optional<double> v = core::decimalValue(c.text);
        ASSERT_TRUE(v.has_value()) << c.text.toStdString();
        EXPECT_EQ(*v, c.value) << c.text.toStdString();
    }
}

TEST(DecimalNumber, RejectsEverythingElse) {
    const QString cases[] = {
        u""_s,
        u"   "_s,
        u"."_s,
        u"-"_s,
        u"+"_s,
        u"e5"_s,
        u".e5"_s,
        u"1e"_s,
        u"1e+"_s,
        u"1,5"_s,
        u"1.2.3"_s,
        u"0x10"_s,
        u"inf"_s,
        u"nan"_s,
        u"1 2"_s,
        u"+-1"_s,
        u"- 1"_s,
        u"1 e5"_s,
        u"12m"_s,
        u"A12"_s,
        u"\t12"_s,
        u"12\t"_s,
        u"\u300012"_s,      // full-width blank
        u"\uFF11\uFF12"_s,  // full-width digits
        u"1\uFF0E5"_s,      // full-width point
        u"1d5"_s,
        u"1e5.5"_s,
    };
    for (const QString& text : cases) {
        EXPECT_FALSE(core::isDecimalNumber(text)) << text.toStdString();
        EXPECT_FALSE(core::decimalValue(text).has_value()) << text.toStdString();
    }
}

TEST(DecimalValue, ReadsManyDigitsAsTheNearestDouble) {
    EXPECT_EQ(core::decimalValue(u"12345678901234567890"), 12345678901234567890.0);
    EXPECT_EQ(core::decimalValue(u"0.1"), 0.1);
    EXPECT_EQ(core::decimalValue(u"3.3333333333333333333333"), 10.0 / 3.0);
}

TEST(DecimalValue, KeepsTheSignOfZero) {
    const std::optional<double> v = core::decimalValue(u"-0");
    ASSERT_TRUE(v.has_value());
    EXPECT_TRUE(std::signbit(*v));
}

TEST(DecimalValue, SaturatesBeyondTheDoubleRange) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const ValueCase cases[] = {
        {u"1e400"_s, inf},
        {u"-1e400"_s, -inf},
        {u"1e99999999999999999999999"_s, inf},
        {u"0.0000001e315"_s, 1e308},
        {u"1e-400"_s, 0},
        {u"-1e-99999999999999999999999"_s, -0.0},
        {u"0e99999999"_s, 0},
        {u"100000e-328"_s, 1e-323},  // subnormal, no underflow yet
    };
    for (const ValueCase& c : cases) {
        const std::optional<double> v = core::decimalValue(c.text);
        ASSERT_TRUE(v.has_value()) << c.text.toStdString();
        EXPECT_EQ(*v, c.value) << c.text.toStdString();
        EXPECT_EQ(std::signbit(*v), std::signbit(c.value)) << c.text.toStdString();
    }
}

TEST(LeadingNumber, ReadsTheLongestLeadingNumber) {
    const ValueCase cases[] = {
        {u"12m"_s, 12},  {u"  3.5kg"_s, 3.5}, {u"1e5x"_s, 100000}, {u"1e"_s, 1},
        {u"1e+"_s, 1},   {u"2.5e-x"_s, 2.5},  {u"1.2.3"_s, 1.2},   {u"-.5;"_s, -0.5},
        {u"12 m"_s, 12}, {u"7"_s, 7},         {u"abc"_s, 0},       {u"-"_s, 0},
        {u"."_s, 0},     {u""_s, 0},          {u"A12"_s, 0},       {u"\uFF11"_s, 0},
    };
    for (const ValueCase& c : cases) {
        EXPECT_EQ(core::leadingNumber(c.text), c.value) << c.text.toStdString();
    }
}

TEST(LeadingNumber, ReadsDigitRunsBeyondTheDoubleRange) {
    const QString digits = QString(200'000, u'1') + u"x"_s;
    EXPECT_TRUE(std::isinf(core::leadingNumber(digits)));
    EXPECT_FALSE(core::isDecimalNumber(digits));
}

}  // namespace
