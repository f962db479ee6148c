// The changes of one text: plain numbers, coordinate prefixes and heights.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/qstring_printer.h"
#include "textedit/height_change.h"
#include "textedit/number_change.h"

namespace {

using namespace Qt::StringLiterals;
using textedit::acceptedHeight;
using textedit::addedNumber;
using textedit::multipliedNumber;
using textedit::shiftedCoordinate;

// nullopt: the text is left alone.
struct Case {
    const char* name;
    QString text;
    double operand;
    std::optional<QString> expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class AddedNumber : public ::testing::TestWithParam<Case> {};

TEST_P(AddedNumber, WritesTheNumberTextOfTheSumOrLeavesTheText) {
    const Case& c = GetParam();
    EXPECT_EQ(addedNumber(c.text, c.operand), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AddedNumber,
    ::testing::Values(
        Case{"blanks around are dropped", u" 12 "_s, 66, u"78"_s},
        Case{"decimals are not carried over", u"1.50"_s, 66, u"67.5"_s},
        Case{"a unit after the number leaves it", u"12m"_s, 66, std::nullopt},
        Case{"a letter before the number leaves it", u"A12"_s, 66, std::nullopt},
        Case{"an empty text is no number", u""_s, 1, std::nullopt},
        Case{"blanks alone are no number", u"   "_s, 1, std::nullopt},
        Case{"a tab is content, not a blank", u"\t12"_s, 1, std::nullopt},
        Case{"eight significant digits plus 1 keep all eight", u"12345.678"_s, 1, u"12346.678"_s},
        Case{"twenty digits come back with fifteen", u"12345678901234567890"_s, 0,
             u"1.23456789012346E+19"_s},
        Case{"sign, point first and exponent are read", u"-.5e1"_s, 10, u"5"_s},
        Case{"a small result has its zero before the point", u"-.5"_s, 1, u"0.5"_s},
        Case{"a whole result has no point", u"2.5"_s, 0.5, u"3"_s},
        Case{"a text beyond the double range is not written as inf", u"1E400"_s, 0, std::nullopt}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

class MultipliedNumber : public ::testing::TestWithParam<Case> {};

TEST_P(MultipliedNumber, WritesTheNumberTextOfTheProductOrLeavesTheText) {
    const Case& c = GetParam();
    EXPECT_EQ(multipliedNumber(c.text, c.operand), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MultipliedNumber,
    ::testing::Values(Case{"10 times 6.6 is 66, not 66.000000000000001", u"10"_s, 6.6, u"66"_s},
                      Case{"1.25 times 2", u"1.25"_s, 2, u"2.5"_s},
                      Case{"factor 0 gives 0", u"7.5"_s, 0, u"0"_s},
                      Case{"factor 0 on a negative gives 0, not -0", u"-3"_s, 0, u"0"_s},
                      Case{"a non-number stays", u"12m"_s, 0, std::nullopt},
                      Case{"an overflowing product stays", u"1E300"_s, 1e10, std::nullopt}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

struct PrefixCase {
    const char* name;
    QString text;
    QString prefix;
    double amount;
    std::optional<QString> expected;
};

void PrintTo(const PrefixCase& c, std::ostream* os) {
    *os << c.name;
}

class ShiftedCoordinate : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(ShiftedCoordinate, ShiftsTheNumberAndKeepsTheLetterAndTheWidth) {
    const PrefixCase& c = GetParam();
    EXPECT_EQ(shiftedCoordinate(c.text, c.prefix, c.amount), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ShiftedCoordinate,
    ::testing::Values(
        PrefixCase{"a longer result grows", u"A90"_s, u"A"_s, 10, u"A100"_s},
        PrefixCase{"a longer result with decimals grows", u"A99.5"_s, u"A"_s, 10, u"A109.5"_s},
        PrefixCase{"decimals are kept by padding", u"A100.00"_s, u"A"_s, 0.5, u"A100.50"_s},
        PrefixCase{"a whole result gets point and zeros", u"X100.00"_s, u"X"_s, 5, u"X105.00"_s},
        PrefixCase{"zero padded to the width", u"A12.5"_s, u"A"_s, -12.5, u"A0.00"_s},
        PrefixCase{"one short gets the point alone", u"A100"_s, u"A"_s, -95, u"A5.0"_s},
        PrefixCase{"another letter stays", u"B12"_s, u"A"_s, 10, std::nullopt},
        PrefixCase{"the letter is case-sensitive", u"a12"_s, u"A"_s, 10, std::nullopt},
        PrefixCase{"the letter alone stays", u"A"_s, u"A"_s, 10, std::nullopt},
        PrefixCase{"a unit after the number stays", u"A12m"_s, u"A"_s, 10, std::nullopt},
        PrefixCase{"no prefix chosen matches nothing", u"A12"_s, u""_s, 10, std::nullopt},
        PrefixCase{"blanks around are dropped", u" A12 "_s, u"A"_s, 1, u"A13"_s},
        PrefixCase{"below 1 the zero stays before the point", u"A1"_s, u"A"_s, -0.5, u"A0.5"_s},
        PrefixCase{"below 1 and padded", u"A12.5"_s, u"A"_s, -12, u"A0.50"_s},
        PrefixCase{"a negative result", u"Y12"_s, u"Y"_s, -20, u"Y-8"_s},
        PrefixCase{"an exponent result is never padded into its exponent",
                   u"A150000000000000000000.0"_s, u"A"_s, 0, u"A1.5E+20"_s}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(AcceptedHeight, OnlyFiniteHeightsAboveZeroAreWritten) {
    EXPECT_EQ(acceptedHeight(8), 8);
    EXPECT_EQ(acceptedHeight(1e-9), 1e-9);
    EXPECT_EQ(acceptedHeight(0), std::nullopt);
    EXPECT_EQ(acceptedHeight(-0.0), std::nullopt);
    EXPECT_EQ(acceptedHeight(-2.5), std::nullopt);
    EXPECT_EQ(acceptedHeight(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(acceptedHeight(std::nan("")), std::nullopt);
}

}  // namespace
