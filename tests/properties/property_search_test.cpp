// What the search of tab 7 lists: table names, the colours in use, and the large-drawing
// question.
#include <functional>

#include "properties/property_search.h"
#include "property_drawing.h"

namespace {

using namespace Qt::StringLiterals;
using properties::ColorLists;

const QString kQuestion = u"图形文档较大，是否要继续搜索颜色？"_s;

QStringList entries() {
    return {u"  0(BYBLOCK)"_s, u"  1(红)"_s,   u"  2(黄)"_s,     u"  3(绿)"_s,
            u"  4(蓝)"_s,      u"  5(藏青)"_s, u"  6(品红)"_s,   u"  7(白/黑)"_s,
            u"  8(深灰)"_s,    u"  9(浅灰)"_s, u"256(BYLAYER)"_s};
}

class SearchTest : public PropertyDrawingTest {};

TEST_F(SearchTest, ColoursAreListedOnceInOrderOfFirstUseAsEntriesOrNumbers) {
    for (int color : {256, 1, 256, 30, 1, 7, 0, 12, 30, 9}) {
        addLine(color);
    }
    const std::optional<ColorLists> lists = properties::SearchColors(link);
    ASSERT_TRUE(lists);
    EXPECT_EQ(lists->source, (QStringList{u"256(BYLAYER)"_s, u"  1(红)"_s, u"30"_s, u"  7(白/黑)"_s,
                                          u"  0(BYBLOCK)"_s, u"12"_s, u"  9(浅灰)"_s}));
    EXPECT_EQ(lists->target, entries());
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(SearchTest, ColourSearchWritesProgressBeforeEachEntityAndEndsAtAHundred) {
    for (int color : {1, 2, 3, 4}) {
        addLine(color);
    }
    properties::SearchColors(link);
    EXPECT_EQ(ui.hints, (QStringList{u"提示：搜索颜色0.0%"_s, u"提示：搜索颜色25.0%"_s,
                                     u"提示：搜索颜色50.0%"_s, u"提示：搜索颜色75.0%"_s,
                                     u"提示：搜索颜色100.0%"_s}));
}

TEST_F(SearchTest, EmptyModelSpaceListsNoSourceColourButAllTargets) {
    const std::optional<ColorLists> lists = properties::SearchColors(link);
    ASSERT_TRUE(lists);
    EXPECT_TRUE(lists->source.isEmpty());
    EXPECT_EQ(lists->target, entries());
    EXPECT_EQ(ui.hints, QStringList{u"提示：搜索颜色100.0%"_s});
}

TEST_F(SearchTest, OnlyDrawingsAboveThreeHundredEntitiesAsk) {
    const struct {
        int entities;
        bool asks;
    } cases[] = {{300, false}, {301, true}};
    for (const auto& c : cases) {
        auto big = cad::memory::Application::create();
        big->newDocument(u"big.dwg"_s);
        const cad::ModelSpace space = cad::Application(big).ActiveDocument().ModelSpace();
        for (int i = 0; i < c.entities; ++i) {
            space.AddLine({}, {1, 0, 0}).Color(i % 2 == 0 ? 3 : 44);
        }
        cad::registerRunningObject(progId(), big);
        link.AttachCad();
        ui.messageBoxes.clear();
        ui.messageAnswers = {ui::Answer::Yes};

        const std::optional<ColorLists> lists = properties::SearchColors(link);
        ASSERT_TRUE(lists) << c.entities;
        EXPECT_EQ(lists->source, (QStringList{u"  3(绿)"_s, u"44"_s})) << c.entities;
        ASSERT_EQ(ui.messageBoxes.size(), c.asks ? 1u : 0u) << c.entities;
        if (c.asks) {
            EXPECT_EQ(ui.messageBoxes[0].text, kQuestion);
            EXPECT_EQ(ui.messageBoxes[0].buttons, ui::Buttons::YesNo);
            EXPECT_EQ(ui.messageBoxes[0].icon, ui::Icon::Information);
        }
    }
}

TEST_F(SearchTest, AnsweringNoListsTheElevenEntriesOnBothSidesWithoutReadingEntities) {
    for (int i = 0; i < 301; ++i) {
        addLine(44);
    }
    ui.hints.clear();
    ui.messageAnswers = {ui::Answer::No};
    const qint64 callsBefore = app->callCount();

    const std::optional<ColorLists> lists = properties::SearchColors(link);
    ASSERT_TRUE(lists);
    EXPECT_EQ(lists->source, entries());
    EXPECT_EQ(lists->target, entries());
    EXPECT_TRUE(ui.hints.isEmpty());
    EXPECT_LT(app->callCount() - callsBefore, 10);
}

struct NameSearch {
    const char* name;
    std::function<std::optional<QStringList>(cad::CadLink&)> search;
};

const NameSearch kNameSearches[] = {
    {"text styles", properties::SearchTextStyles},
    {"layers", properties::SearchLayers},
    {"linetypes", properties::SearchLinetypes},
};

TEST_F(SearchTest, TablesAreListedInTableOrderUsedOrNot) {
    doc->addLayer(u"照明"_s);
    doc->addLayer(u"Axis"_s);
    doc->addTextStyle(u"仿宋"_s, u"fsdb.shx"_s, u"hztxt.shx"_s);
    doc->addLinetype(u"HIDDEN"_s);
    ms.AddText(u"1"_s, {}, 3.5);  // uses only layer 0 and Standard

    QStringList layers, styles, linetypes;
    for (const auto& l : doc->layers()) {
        layers.append(l->name);
    }
    for (const auto& s : doc->textStyles()) {
        styles.append(s->name);
    }
    for (const auto& t : doc->linetypes()) {
        linetypes.append(t->name);
    }
    ASSERT_EQ(layers, (QStringList{u"0"_s, u"照明"_s, u"Axis"_s}));
    ASSERT_EQ(styles, (QStringList{u"Standard"_s, u"仿宋"_s}));
    ASSERT_TRUE(linetypes.contains(u"HIDDEN"_s));
    ASSERT_FALSE(linetypes.contains(u"CENTER"_s));  // known to the CAD, not loaded

    const QStringList expected[] = {styles, layers, linetypes};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(kNameSearches[i].search(link), expected[i]) << kNameSearches[i].name;
    }
    EXPECT_TRUE(ui.hints.isEmpty());
}

TEST_F(SearchTest, EverySearchRefusesOnItsOwnWithTheGuardMessage) {
    struct State {
        const char* name;
        std::function<void()> bringAbout;
        QString hint;
    };
    const State states[] = {
        {"every drawing closed", [&] { app->closeDocument(*doc); },
         u"提示：服务器AutoCAD已经关闭所有文档"_s},
        {"no CAD running", [&] { link.ReleaseCadObjects(); }, u"提示：服务器AutoCAD没有打开"_s},
    };
    for (const State& state : states) {
        state.bringAbout();
        ui.hints.clear();
        for (const NameSearch& s : kNameSearches) {
            EXPECT_FALSE(s.search(link)) << state.name << s.name;
        }
        EXPECT_FALSE(properties::SearchColors(link)) << state.name;
        EXPECT_EQ(ui.hints, QStringList(4, state.hint)) << state.name;
    }
}

}  // namespace
