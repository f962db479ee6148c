// Colour entries and the colour rule with its shared ColorNumber.
#include "core/colors.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace {

TEST(ColorEntries, ListsTheElevenEntriesInBoxOrder) {
    const QStringList expected = {
        u"  0(BYBLOCK)"_s, u"  1(红)"_s,   u"  2(黄)"_s,      u"  3(绿)"_s,
        u"  4(蓝)"_s,      u"  5(藏青)"_s, u"  6(品红)"_s,    u"  7(白/黑)"_s,
        u"  8(深灰)"_s,    u"  9(浅灰)"_s, u"256(BYLAYER)"_s,
    };
    EXPECT_EQ(core::colorEntryTexts(), expected);
    for (qsizetype k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(core::colorNumberOfEntry(expected[k]), k == 10 ? 256 : int(k));
    }
}

TEST(ColorEntries, LookUpIsExactIncludingBlanks) {
    const QString misses[] = {
        u"1(红)"_s, u" 1(红)"_s, u"  1(红) "_s, u"  1（红）"_s, u"256(bylayer)"_s, u"1"_s, u""_s,
    };
    for (const QString& text : misses) {
        EXPECT_FALSE(core::colorNumberOfEntry(text).has_value()) << text.toStdString();
    }
}

struct RuleCase {
    QString boxText;
    int entityColor;
    bool matches;
};

TEST(ColorRule, MatchesByEntryNumberOrTypedDigits) {
    const RuleCase cases[] = {
        {u"  1(红)"_s, 1, true},       {u"  1(红)"_s, 30, false},
        {u"  1(红)"_s, 2, false},      {u"30"_s, 30, true},
        {u"030"_s, 30, false},         {u" 30"_s, 30, false},
        {u"30 "_s, 30, false},         {u"+30"_s, 30, false},
        {u"30"_s, 31, false},          {u"256(BYLAYER)"_s, 256, true},
        {u"256(BYLAYER)"_s, 0, false}, {u"  0(BYBLOCK)"_s, 0, true},
        {u"  9(浅灰)"_s, 9, true},     {u"255"_s, 255, true},
        {u"10"_s, 10, true},
    };
    for (const RuleCase& c : cases) {
        core::ColorRule rule;
        EXPECT_EQ(rule.prepare(c.boxText).matches(c.entityColor), c.matches)
            << c.boxText.toStdString() << " vs " << c.entityColor;
    }
}

TEST(ColorRule, LowColoursAreNeverMatchedByTypedDigits) {
    // Colours 0 to 9 and 256 go by ColorNumber only, so typing "5" selects colour 0 at start.
    core::ColorRule rule;
    const core::ColorTest test = rule.prepare(u"5");
    EXPECT_FALSE(test.matches(5));
    EXPECT_TRUE(test.matches(0));
    EXPECT_FALSE(rule.prepare(u"256").matches(256));
}

TEST(ColorRule, ColorNumberKeepsTheLastEntryLookedUp) {
    core::ColorRule shared;
    EXPECT_EQ(shared.colorNumber(), 0);
    shared.prepare(u"  3(绿)");
    EXPECT_EQ(shared.colorNumber(), 3);

    // Another tab's box with a typed colour: 30 matches, and so does the older choice 3.
    const core::ColorTest typed = shared.prepare(u"30");
    EXPECT_EQ(shared.colorNumber(), 3);
    EXPECT_TRUE(typed.matches(30));
    EXPECT_TRUE(typed.matches(3));
    EXPECT_FALSE(typed.matches(0));

    shared.prepare(u"256(BYLAYER)");
    const core::ColorTest unknown = shared.prepare(u"紫色");
    EXPECT_TRUE(unknown.matches(256));
    EXPECT_FALSE(unknown.matches(3));
}

TEST(ColorRule, PreparedTestKeepsItsColorNumberWhenTheRuleMovesOn) {
    core::ColorRule shared;
    const core::ColorTest first = shared.prepare(u"  1(红)");
    shared.prepare(u"  2(黄)");
    EXPECT_TRUE(first.matches(1));
    EXPECT_FALSE(first.matches(2));
}

}  // namespace
