// Tabs 3 and 4 through their operations (added and multiplied heights, over model space and a
// pick) on a drawing.
#include "textedit/height_change.h"

#include "text_drawing.h"

namespace {

using namespace textedit_test;
using filters::FilterKind;
using textedit::TextChangeInput;

// Each test runs with the whole-document form and with the selection form picking everything.
class HeightOperations : public TextDrawing, public ::testing::WithParamInterface<bool> {
protected:
    bool selection() const { return GetParam(); }

    void heightAdd(const TextChangeInput& input) {
        if (selection()) {
            pickAll();
            textedit::HeightAddPart(link, colorRule, input);
        } else {
            textedit::HeightAddAll(link, colorRule, input);
        }
    }
    void heightTimes(const TextChangeInput& input) {
        if (selection()) {
            pickAll();
            textedit::HeightTimesPart(link, colorRule, input);
        } else {
            textedit::HeightTimesAll(link, colorRule, input);
        }
    }

    void pickAll() const {
        QStringList handles;
        for (int i = 0; i < ms.Count(); ++i) {
            handles.append(ms.Item(i).Handle());
        }
        app->script().queueObjects(handles);
    }
};

INSTANTIATE_TEST_SUITE_P(Forms, HeightOperations, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Part" : "All"; });

TEST_P(HeightOperations, AddChangesTheHeightAndNothingElse) {
    const cad::Entity a = text(u"配电箱"_s, 6);
    a.ScaleFactor(0.7);
    a.Rotation(0.5);
    a.InsertionPoint({10, 20, 0});
    a.StyleName(u"仿宋"_s);
    const cad::Entity b = text(u"12"_s, 2.5);
    line();
    heightAdd({u"2"_s, {}});
    EXPECT_EQ(a.Height(), 8);
    EXPECT_EQ(a.ScaleFactor(), 0.7) << "the width factor stays, so the text grows wider";
    EXPECT_EQ(a.Rotation(), 0.5);
    EXPECT_EQ(a.TextString(), u"配电箱"_s);
    EXPECT_EQ(a.StyleName(), u"仿宋"_s);
    EXPECT_EQ(a.InsertionPoint().x, 10);
    EXPECT_EQ(b.Height(), 4.5);
    EXPECT_EQ(ui.lastHint(), u"提示：成功修改字符2个"_s);
    EXPECT_FALSE(selectionSetsLeft());
}

TEST_P(HeightOperations, TimesTwoDoublesAndTimesOneStillCounts) {
    const cad::Entity a = text(u"a"_s, 6);
    const cad::Entity b = text(u"b"_s, 2.5);
    heightTimes({u"2"_s, {}});
    EXPECT_EQ(a.Height(), 12);
    EXPECT_EQ(b.Height(), 5);
    EXPECT_EQ(ui.lastHint(), u"提示：成功修改字符2个"_s);
    heightTimes({u"1"_s, {}});
    EXPECT_EQ(a.Height(), 12);
    EXPECT_EQ(ui.lastHint(), u"提示：成功修改字符2个"_s);
}

TEST_P(HeightOperations, AMultilineTextIsNeverChanged) {
    const cad::Entity m = mtext(u"说明"_s);
    const double height = m.Height();
    heightAdd({u"2"_s, {}});
    heightTimes({u"3"_s, {}});
    EXPECT_EQ(m.Height(), height);
    EXPECT_EQ(ui.lastHint(), u"提示：成功修改字符0个"_s);
}

TEST_P(HeightOperations, HeightsTheCadRefusesAreLeftAndNoted) {
    const cad::Entity a = text(u"a"_s, 6);
    const cad::Entity b = text(u"b"_s, 2.5);
    const cad::Entity c = text(u"c"_s, 3);
    heightAdd({u"-3"_s, {}});
    EXPECT_EQ(a.Height(), 3);
    EXPECT_EQ(b.Height(), 2.5);
    EXPECT_EQ(c.Height(), 3);
    EXPECT_EQ(ui.lastHint(), u"提示：成功修改字符1个，另有2个字高不能为零或负数未改"_s);

    heightTimes({u"0"_s, {}});
    EXPECT_EQ(a.Height(), 3);
    EXPECT_EQ(ui.lastHint(), u"提示：成功修改字符0个，另有3个字高不能为零或负数未改"_s);

    heightTimes({u"-1"_s, {}});
    EXPECT_EQ(ui.lastHint(), u"提示：成功修改字符0个，另有3个字高不能为零或负数未改"_s);
    EXPECT_FALSE(selectionSetsLeft());
    EXPECT_EQ(doc->undoDepth(), 0);
}

TEST_P(HeightOperations, AnOverflowingHeightIsLeftLikeANegativeOne) {
    const cad::Entity a = text(u"a"_s, 1e300);
    const cad::Entity b = text(u"b"_s, 1);
    heightTimes({u"1e10"_s, {}});
    EXPECT_EQ(a.Height(), 1e300);
    EXPECT_EQ(b.Height(), 1e10);
    EXPECT_EQ(ui.lastHint(), u"提示：成功修改字符1个，另有1个字高不能为零或负数未改"_s);
}

TEST_P(HeightOperations, ABlankLayerBoxRefusesAndTheSetIsGone) {
    const cad::Entity a = text(u"a"_s, 2);
    heightAdd({u"1"_s, {FilterKind::Layer, u"   "_s}});
    EXPECT_EQ(ui.lastHint(), u"提示：层名没有选中"_s);
    heightTimes({u"2"_s, {FilterKind::Style, QString()}});
    EXPECT_EQ(ui.lastHint(), u"提示：字型没有选中"_s);
    heightTimes({u"2"_s, {FilterKind::Color, QString()}});
    EXPECT_EQ(ui.lastHint(), u"提示：颜色名没有选中"_s);
    EXPECT_EQ(a.Height(), 2);
    EXPECT_FALSE(selectionSetsLeft());
    EXPECT_TRUE(app->script().exhausted());
}

}  // namespace
