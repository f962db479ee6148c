// Blank trimming keeps everything that is not a plain U+0020 blank.
#include "core/text.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"

using namespace Qt::StringLiterals;

namespace {

struct TrimCase {
    QString input;
    QString expected;
};

TEST(TrimBlanks, RemovesOnlyPlainBlanksAtBothEnds) {
    const TrimCase cases[] = {
        {u" 12 "_s, u"12"_s},
        {u"   a b   "_s, u"a b"_s},
        {u""_s, u""_s},
        {u"    "_s, u""_s},
        {u"\t12\t"_s, u"\t12\t"_s},                  // tabs are content
        {u"\u300012\u3000"_s, u"\u300012\u3000"_s},  // so are full-width blanks
        {u" \t12 "_s, u"\t12"_s},
    };
    for (const TrimCase& c : cases) {
        EXPECT_EQ(core::trimBlanks(c.input), c.expected) << c.input.toStdString();
    }
}

TEST(IsBlank, TreatsOnlyPlainBlanksAsEmpty) {
    EXPECT_TRUE(core::isBlank(u""));
    EXPECT_TRUE(core::isBlank(u"   "));
    EXPECT_FALSE(core::isBlank(u"\t"));
    EXPECT_FALSE(core::isBlank(u"\u3000"));
    EXPECT_FALSE(core::isBlank(u" 0 "));
}

}  // namespace
