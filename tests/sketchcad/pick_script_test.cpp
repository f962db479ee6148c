// The picks file: each line's actions, and the errors that name what is wrong; points typed on
// the command line.
#include <gtest/gtest.h>

#include "sketchcad/pick_script.h"
#include "sketchcad/typed_point.h"
#include "support/qstring_printer.h"

namespace sketchcad {
namespace {

using namespace Qt::StringLiterals;
using K = PickAction::Kind;

TEST(PickLines, EveryActionReadsItsNumbers) {
    auto parsed =
        parsePickLine(u"  Point 1 -2.5 ; window 0 0 10 10;crossing 10 10 0 0; click 3 4; cancel"_s);
    ASSERT_TRUE(std::holds_alternative<std::vector<PickAction>>(parsed));
    const auto& a = std::get<std::vector<PickAction>>(parsed);
    EXPECT_EQ(a, (std::vector<PickAction>{{K::Point, {1, -2.5}, {}},
                                          {K::Window, {0, 0}, {10, 10}},
                                          {K::Crossing, {10, 10}, {0, 0}},
                                          {K::Click, {3, 4}, {}},
                                          {K::Cancel, {}, {}}}));
}

TEST(PickLines, MistakesAreNamed) {
    const std::pair<QString, QString> cases[] = {
        {u"point 1"_s, u"\"point\" takes 2 numbers"_s},
        {u"window 1 2 3 x"_s, u"not a number: \"x\" in \"window 1 2 3 x\""_s},
        {u"jump 1 2"_s, u"unknown action \"jump\""_s},
        {u" ; "_s, u"no action"_s},
        {u"cancel 1"_s, u"\"cancel\" takes 0 numbers"_s},
    };
    for (const auto& [line, error] : cases) {
        auto parsed = parsePickLine(line);
        ASSERT_TRUE(std::holds_alternative<QString>(parsed)) << line.toStdString();
        EXPECT_EQ(std::get<QString>(parsed), error);
    }
}

TEST(PickLines, AScriptSkipsBlankLinesAndNamesTheLineOfAMistake) {
    auto script = PickScript::fromText(u"point 1 2\n\n  \ncancel\n"_s, u"p.txt"_s);
    ASSERT_TRUE(std::holds_alternative<PickScript>(script));
    auto& s = std::get<PickScript>(script);
    EXPECT_EQ(s.next()->front().kind, K::Point);
    EXPECT_EQ(s.next()->front().kind, K::Cancel);
    EXPECT_EQ(s.next(), std::nullopt);
    auto bad = PickScript::fromText(u"point 1 2\n\nclick\n"_s, u"p.txt"_s);
    EXPECT_EQ(std::get<QString>(bad), u"p.txt, line 3: \"click\" takes 2 numbers"_s);
}

TEST(TypedPoints, AbsoluteRelativeAndWrongInput) {
    const QPointF base(10, 20);
    EXPECT_EQ(parseTypedPoint(u" 1.5 , -2 "_s, base), QPointF(1.5, -2));
    EXPECT_EQ(parseTypedPoint(u"1,2,3"_s, base), QPointF(1, 2));
    EXPECT_EQ(parseTypedPoint(u"@1,2"_s, base), QPointF(11, 22));
    EXPECT_EQ(parseTypedPoint(u"@1,2"_s, std::nullopt), QPointF(1, 2));
    EXPECT_EQ(parseTypedPoint(u"3\uFF0C4"_s, base), QPointF(3, 4));
    for (const QString& wrong : {u"1"_s, u"a,b"_s, u"1,2,3,4"_s, u""_s}) {
        EXPECT_EQ(parseTypedPoint(wrong, base), std::nullopt) << wrong.toStdString();
    }
}

}  // namespace
}  // namespace sketchcad
