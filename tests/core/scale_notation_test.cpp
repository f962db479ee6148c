// The scale notation: which texts are scales and the ratio they stand for.
#include <gtest/gtest.h>

#include "core/scale_notation.h"
#include "support/qstring_printer.h"

namespace {

using namespace Qt::StringLiterals;
using core::CheckScale;
using core::ScaleRatio;

TEST(ScaleNotation, ValidScalesGiveDrawingLengthPerRealLength) {
    const struct {
        QString text;
        double ratio;
    } cases[] = {
        {u"1:100"_s, 0.01},  {u"  1:100  "_s, 0.01}, {u"2:500"_s, 0.004}, {u"1:0.5"_s, 2.0},
        {u"9:1e3"_s, 0.009}, {u"1: 100"_s, 0.01},    {u"5:+10"_s, 0.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_TRUE(CheckScale(c.text));
        EXPECT_DOUBLE_EQ(ScaleRatio(c.text), c.ratio);
    }
}

TEST(ScaleNotation, RefusesTextsThatAreNoScale) {
    const QString refused[] = {
        u"1:0"_s, u"0:100"_s, u"10:1000"_s, u"1：100"_s, u"1:"_s,     u"1:100m"_s, u"1:-5"_s,
        u""_s,    u"   "_s,   u"1;100"_s,   u"a:100"_s,  u"-1:100"_s, u".:100"_s,  u"1:abc"_s,
    };
    for (const QString& text : refused) {
        EXPECT_FALSE(CheckScale(text)) << text.toStdString();
    }
}

}  // namespace
