// The per-entity tests of the filter panels and the blank-box refusal.
#include <gtest/gtest.h>

#include "cad/memory/application.h"
#include "filters/filter_choice.h"
#include "filters/height_text.h"
#include "support/qstring_printer.h"

namespace {

using namespace Qt::StringLiterals;
using filters::EntityFilter;
using filters::FilterChoice;
using filters::FilterKind;

class EntityFilterTest : public ::testing::Test {
protected:
    EntityFilterTest() {
        doc->addLayer(u"电气"_s);
        doc->addTextStyle(u"Hztxt"_s, u"txt.shx"_s, u"hztxt.shx"_s);
        doc->addLinetype(u"CENTER"_s);
    }

    cad::Entity text(double height, const QString& layer, const QString& style, int color,
                     const QString& linetype = u"ByLayer"_s) {
        cad::Entity e = ms.AddText(u"1"_s, {}, height);
        e.Layer(layer);
        e.StyleName(style);
        e.Color(color);
        e.Linetype(linetype);
        return e;
    }

    bool matches(const FilterChoice& choice, const cad::Entity& e) {
        return EntityFilter(choice, colorRule).matches(e);
    }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> doc = app->newDocument(u"Drawing1.dwg"_s);
    cad::ModelSpace ms = cad::Application(app).ActiveDocument().ModelSpace();
    core::ColorRule colorRule;
};

TEST_F(EntityFilterTest, EachKindComparesItsMemberExactly) {
    const cad::Entity a = text(2.5, u"电气"_s, u"Hztxt"_s, 1, u"CENTER"_s);
    const cad::Entity b = text(10.0 / 3, u"0"_s, u"Standard"_s, 30);

    struct Case {
        const char* name;
        FilterChoice choice;
        bool matchesA;
        bool matchesB;
    };
    const Case cases[] = {
        {"all takes everything", {FilterKind::All, {}}, true, true},
        {"prefix leaves the test to the change", {FilterKind::Prefix, {}}, true, true},
        {"height as listed", {FilterKind::Height, u"2.5"_s}, true, false},
        {"height in another form selects nothing", {FilterKind::Height, u"2.50"_s}, false, false},
        {"height of 15 digits selects its text",
         {FilterKind::Height, u"3.33333333333333"_s},
         false,
         true},
        {"style exact", {FilterKind::Style, u"Hztxt"_s}, true, false},
        {"style differing in case", {FilterKind::Style, u"HZTXT"_s}, false, false},
        {"layer exact", {FilterKind::Layer, u"电气"_s}, true, false},
        {"layer with a trailing blank", {FilterKind::Layer, u"0 "_s}, false, false},
        {"linetype exact", {FilterKind::Linetype, u"CENTER"_s}, true, false},
        {"linetype differing in case", {FilterKind::Linetype, u"center"_s}, false, false},
        {"colour entry", {FilterKind::Color, u"  1(红)"_s}, true, false},
        {"colour typed in digits", {FilterKind::Color, u"30"_s}, false, true},
        {"colour typed with a zero in front", {FilterKind::Color, u"030"_s}, false, false},
        {"colour typed with a blank in front", {FilterKind::Color, u" 30"_s}, false, false},
    };
    for (const Case& c : cases) {
        core::ColorRule startingRule;  // ColorNumber 0, as at start
        EXPECT_EQ(EntityFilter(c.choice, startingRule).matches(a), c.matchesA) << c.name;
        EXPECT_EQ(EntityFilter(c.choice, startingRule).matches(b), c.matchesB) << c.name;
    }
}

TEST_F(EntityFilterTest, LayerDifferingOnlyInCaseMatchesNothing) {
    doc->addLayer(u"Lights"_s);
    const cad::Entity e = text(2.5, u"Lights"_s, u"Standard"_s, 256);
    EXPECT_FALSE(matches({FilterKind::Layer, u"LIGHTS"_s}, e));
    EXPECT_FALSE(matches({FilterKind::Layer, u"lights"_s}, e));
    EXPECT_TRUE(matches({FilterKind::Layer, u"Lights"_s}, e));
}

TEST_F(EntityFilterTest, ColourTextThatIsNoEntryKeepsTheLastEntryLookedUp) {
    const cad::Entity red = text(2.5, u"0"_s, u"Standard"_s, 1);
    const cad::Entity byBlock = text(2.5, u"0"_s, u"Standard"_s, 0);

    // ColorNumber starts at 0: by block.
    EXPECT_TRUE(matches({FilterKind::Color, u"红"_s}, byBlock));
    EXPECT_FALSE(matches({FilterKind::Color, u"红"_s}, red));

    EXPECT_TRUE(matches({FilterKind::Color, u"  1(红)"_s}, red));
    // Another tab's box holding no entry still compares with red.
    EXPECT_TRUE(matches({FilterKind::Color, u"红"_s}, red));
    EXPECT_FALSE(matches({FilterKind::Color, u"1"_s}, byBlock));
}

TEST_F(EntityFilterTest, OnlyColourChoicesTouchTheSharedColourNumber) {
    EntityFilter({FilterKind::Layer, u"  1(红)"_s}, colorRule);
    EXPECT_EQ(colorRule.colorNumber(), 0);
    EntityFilter({FilterKind::Color, u"256(BYLAYER)"_s}, colorRule);
    EXPECT_EQ(colorRule.colorNumber(), 256);
}

TEST_F(EntityFilterTest, AMemberTheEntityLacksFailsLikeTheCad) {
    const cad::Entity line = ms.AddLine({}, {1, 0, 0});
    EXPECT_THROW(matches({FilterKind::Height, u"2.5"_s}, line), cad::Error);
    EXPECT_THROW(matches({FilterKind::Style, u"Standard"_s}, line), cad::Error);
    EXPECT_TRUE(matches({FilterKind::Layer, u"0"_s}, line));
}

TEST(FilterChoiceTest, OnlyABoxOfBlanksRefuses) {
    struct Case {
        FilterChoice choice;
        bool refused;
    };
    const Case cases[] = {
        {{FilterKind::All, {}}, false},         {{FilterKind::Prefix, {}}, false},
        {{FilterKind::Height, {}}, true},       {{FilterKind::Style, u"   "_s}, true},
        {{FilterKind::Layer, u" 0 "_s}, false}, {{FilterKind::Color, u"\t"_s}, false},
        {{FilterKind::Color, u"　"_s}, false},  {{FilterKind::Linetype, u""_s}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.choice.boxIsBlank(), c.refused) << c.choice.boxText.toStdString();
    }
}

struct HeightCase {
    double height;
    QString boxText;
    bool matches;
};

TEST(HeightFilter, ComparesHeightsAsNumberTexts) {
    const HeightCase cases[] = {
        {2.5, u"2.5"_s, true},
        {2.5, u"2.50"_s, false},
        {2.5, u" 2.5"_s, false},
        {3.0, u"3"_s, true},
        {3.0, u"3.0"_s, false},
        {10.0 / 3, filters::heightText(10.0 / 3), true},
        {10.0 / 3, u"3.33333333333333"_s, true},
    };
    for (const HeightCase& c : cases) {
        EXPECT_EQ(filters::heightMatches(c.height, c.boxText), c.matches)
            << c.height << " vs " << c.boxText.toStdString();
    }
}

}  // namespace
