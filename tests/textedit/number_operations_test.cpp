// Tabs 1 and 2 through their operations (added and multiplied numbers, over model space and a
// pick) on a drawing.
#include "textedit/number_change.h"

#include "core/number_text.h"
#include "text_drawing.h"

namespace {

using namespace textedit_test;
using filters::FilterKind;
using textedit::TextChangeInput;

// Each test runs once with the whole-document form and once with the selection form, which
// picks every entity of model space: both must write the same texts.
class NumberOperations : public TextDrawing, public ::testing::WithParamInterface<bool> {
protected:
    bool selection() const { return GetParam(); }

    void valueAdd(const TextChangeInput& input) {
        if (selection()) {
            pickAll();
            textedit::ValueAddPart(link, colorRule, input);
        } else {
            textedit::ValueAddAll(link, colorRule, input);
        }
    }
    void valueTimes(const TextChangeInput& input) {
        if (selection()) {
            pickAll();
            textedit::ValueTimesPart(link, colorRule, input);
        } else {
            textedit::ValueTimesAll(link, colorRule, input);
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

INSTANTIATE_TEST_SUITE_P(Forms, NumberOperations, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Part" : "All"; });

TEST_P(NumberOperations, AddChangesTextsThatAreNumbersAndNothingElse) {
    const cad::Entity a = text(u" 12 "_s);
    const cad::Entity b = text(u"1.50"_s);
    const cad::Entity c = text(u"12m"_s);
    const cad::Entity d = text(u"A12"_s);
    const cad::Entity m = mtext(u"12"_s);
    valueAdd({u"66"_s, {}, {}});
    EXPECT_EQ(a.TextString(), u"78"_s);
    EXPECT_EQ(b.TextString(), u"67.5"_s);
    EXPECT_EQ(c.TextString(), u"12m"_s);
    EXPECT_EQ(d.TextString(), u"A12"_s);
    EXPECT_EQ(m.TextString(), u"12"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：修改数值2个"_s);
    EXPECT_FALSE(selectionSetsLeft());
}

TEST_P(NumberOperations, TimesWritesTheNumberTextOfTheProduct) {
    const cad::Entity a = text(u"10"_s);
    const cad::Entity b = text(u"1.25"_s);
    const cad::Entity c = text(u"12m"_s);
    valueTimes({u"6.6"_s, {}});
    EXPECT_EQ(a.TextString(), u"66"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：成功修改数值2个"_s);

    b.TextString(u"1.25"_s);
    valueTimes({u"2"_s, {}});
    EXPECT_EQ(a.TextString(), u"132"_s);
    EXPECT_EQ(b.TextString(), u"2.5"_s);

    valueTimes({u"0"_s, {}});
    EXPECT_EQ(a.TextString(), u"0"_s);
    EXPECT_EQ(b.TextString(), u"0"_s);
    EXPECT_EQ(c.TextString(), u"12m"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：成功修改数值2个"_s);
}

TEST_P(NumberOperations, EightSignificantDigitsPlusOneKeepAllEight) {
    const cad::Entity a = text(u"12345.678"_s);
    const cad::Entity b = text(u"-9999999.5"_s);
    valueAdd({u"1"_s, {}, {}});
    EXPECT_EQ(a.TextString(), u"12346.678"_s);
    EXPECT_EQ(b.TextString(), u"-9999998.5"_s);
}

TEST_P(NumberOperations, TwentyDigitsComeBackWithFifteen) {
    const cad::Entity a = text(u"12345678901234567890"_s);
    valueAdd({u"0"_s, {}, {}});
    EXPECT_EQ(a.TextString(), u"1.23456789012346E+19"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：修改数值1个"_s);
}

TEST_P(NumberOperations, PrefixShiftsKeepTheLetterAndTheWidth) {
    struct Case {
        QString text;
        double amount;
        QString expected;
    };
    const Case cases[] = {
        {u"A90"_s, 10, u"A100"_s},         {u"A99.5"_s, 10, u"A109.5"_s},
        {u"A100.00"_s, 0.5, u"A100.50"_s}, {u"A12.5"_s, -12.5, u"A0.00"_s},
        {u"A1"_s, -0.5, u"A0.5"_s},        {u"B12"_s, 10, u"B12"_s},
        {u"a12"_s, 10, u"a12"_s},          {u"12"_s, 10, u"12"_s},
    };
    for (const Case& c : cases) {
        const cad::Entity e = text(c.text);
        valueAdd({core::numberText(c.amount), {FilterKind::Prefix, {}}, u"A"_s});
        EXPECT_EQ(e.TextString(), c.expected) << c.text.toStdString();
        EXPECT_EQ(ui.lastHint(),
                  c.expected == c.text ? u"提示：修改数值0个"_s : u"提示：修改数值1个"_s);
        e.Delete();
    }
}

TEST_P(NumberOperations, ConditionsSelectTheTextsTheyName) {
    const cad::Entity onLayer = text(u"1"_s);
    onLayer.Layer(u"照明"_s);
    const cad::Entity red = text(u"1"_s);
    red.Color(1);
    const cad::Entity styled = text(u"1"_s);
    styled.StyleName(u"仿宋"_s);
    const cad::Entity high = text(u"1"_s, 5);

    valueAdd({u"1"_s, {FilterKind::Layer, u"照明"_s}, {}});
    valueAdd({u"10"_s, {FilterKind::Color, u"  1(红)"_s}, {}});
    valueTimes({u"7"_s, {FilterKind::Style, u"仿宋"_s}});
    valueAdd({u"100"_s, {FilterKind::Height, u"5"_s}, {}});
    EXPECT_EQ(onLayer.TextString(), u"2"_s);
    EXPECT_EQ(red.TextString(), u"11"_s);
    EXPECT_EQ(styled.TextString(), u"7"_s);
    EXPECT_EQ(high.TextString(), u"101"_s);
    EXPECT_EQ(colorRule.colorNumber(), 1);
}

TEST_P(NumberOperations, ABlankBoxRefusesWithEachTabsWordingAndTheSetIsGone) {
    struct Case {
        FilterKind kind;
        const char16_t* tab1;
        const char16_t* tab2;  // nullptr: tab 2 has no such condition
    };
    const Case cases[] = {
        {FilterKind::Height, u"提示：没有选中字高", nullptr},
        {FilterKind::Style, u"提示：没有选中字型", u"提示：字型没有选中"},
        {FilterKind::Layer, u"提示：没有选中层名", u"提示：层名没有选中"},
        {FilterKind::Color, u"提示：没有选中颜色", u"提示：颜色名没有选中"},
    };
    const cad::Entity a = text(u"1"_s);
    for (const Case& c : cases) {
        valueAdd({u"1"_s, {c.kind, u" "_s}, {}});
        EXPECT_EQ(ui.lastHint(), QString::fromUtf16(c.tab1));
        if (c.tab2 != nullptr) {
            valueTimes({u"2"_s, {c.kind, QString()}});
            EXPECT_EQ(ui.lastHint(), QString::fromUtf16(c.tab2));
        }
        EXPECT_FALSE(selectionSetsLeft());
    }
    EXPECT_EQ(a.TextString(), u"1"_s);
    EXPECT_EQ(doc->undoGroups(), 0);
    EXPECT_TRUE(app->script().exhausted()) << "the selection form picked before refusing";
    EXPECT_FALSE(ui.hints.contains(u"提示：修改完成0.0%"_s));
}

}  // namespace
