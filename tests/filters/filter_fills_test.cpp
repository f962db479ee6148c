// What the filter options put into their boxes, and the coordinate-prefix prompt.
#include <gtest/gtest.h>

#include <functional>

#include "cad/memory/application.h"
#include "cad/running.h"
#include "filters/filter_fills.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;

const QString kProgId = u"AutoCAD.Application"_s;

struct FakeBox : filters::ChoiceBox {
    void clear() override { entries.clear(); }
    void append(const QString& entry) override { entries.append(entry); }
    int entryCount() const override { return int(entries.size()); }
    QString entry(int position) const override { return entries.at(position); }
    void setText(const QString& text) override { shown = text; }

    QStringList entries;
    QString shown;
};

class FillTest : public ::testing::Test {
protected:
    FillTest() {
        registerRunningObject(kProgId, app);
        link.AttachCad();
    }
    ~FillTest() override { cad::revokeRunningObject(kProgId); }

    void addText(double height) { ms.AddText(u"1"_s, {}, height); }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> doc = app->newDocument(u"Drawing1.dwg"_s);
    cad::ModelSpace ms = cad::Application(app).ActiveDocument().ModelSpace();
    ui::RecordingUi ui;
    cad::CadLink link{ui};
    FakeBox box;
};

TEST_F(FillTest, ColourOptionGivesTheElevenEntriesHoweverOftenClicked) {
    filters::fillColorBox(box);
    box.shown = u"30"_s;
    filters::fillColorBox(box);
    EXPECT_EQ(box.entries,
              (QStringList{u"  0(BYBLOCK)"_s, u"  1(红)"_s, u"  2(黄)"_s, u"  3(绿)"_s,
                           u"  4(蓝)"_s, u"  5(藏青)"_s, u"  6(品红)"_s, u"  7(白/黑)"_s,
                           u"  8(深灰)"_s, u"  9(浅灰)"_s, u"256(BYLAYER)"_s}));
    EXPECT_EQ(box.shown, u"  0(BYBLOCK)"_s);
    EXPECT_TRUE(ui.hints.isEmpty());
}

TEST_F(FillTest, ColourOptionNeedsNoCad) {
    app->quit();
    filters::fillColorBox(box);
    EXPECT_EQ(box.entries.size(), 11);
    EXPECT_TRUE(ui.hints.isEmpty());
}

struct TableFill {
    const char* name;
    std::function<void(cad::CadLink&, filters::ChoiceBox&)> fill;
};

const TableFill kTableFills[] = {
    {"layers", filters::fillLayerBox},
    {"text styles", filters::fillTextStyleBox},
    {"linetypes", filters::fillLinetypeBox},
    {"heights", filters::fillHeightBox},
};

TEST_F(FillTest, TableFillsListTheActiveDrawingInTableOrderUnsorted) {
    doc->addLayer(u"照明"_s);
    doc->addLayer(u"Axis"_s);
    doc->addTextStyle(u"仿宋"_s, u"fsdb.shx"_s, u"hztxt.shx"_s);
    doc->addTextStyle(u"Hztxt"_s, u"txt.shx"_s, u"hztxt.shx"_s);
    doc->addLinetype(u"HIDDEN"_s);
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
    const QStringList expected[] = {layers, styles, linetypes};

    for (int i = 0; i < 3; ++i) {
        box.entries = QStringList{u"旧"_s};
        box.shown = u"旧"_s;
        kTableFills[i].fill(link, box);
        EXPECT_EQ(box.entries, expected[i]) << kTableFills[i].name;
        EXPECT_EQ(box.shown, expected[i].first()) << kTableFills[i].name;
    }
    EXPECT_TRUE(ui.hints.isEmpty());
}

TEST_F(FillTest, FillsFromTheDrawingLeaveTheBoxAloneWhenTheGuardRefuses) {
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
        for (const TableFill& f : kTableFills) {
            box.entries = QStringList{u"电气"_s, u"0"_s};
            box.shown = u"电气"_s;
            ui.hints.clear();
            f.fill(link, box);
            EXPECT_EQ(box.entries, (QStringList{u"电气"_s, u"0"_s})) << state.name << f.name;
            EXPECT_EQ(box.shown, u"电气"_s) << state.name << f.name;
            EXPECT_EQ(ui.hints, QStringList{state.hint}) << state.name << f.name;
        }
    }
}

TEST_F(FillTest, HeightsAreListedOnceInTheOrderTheyFirstAppear) {
    addText(3.5);
    ms.AddLine({}, {1, 1, 0});
    addText(2.5);
    ms.AddMtext({}, 10, u"5"_s);  // a multiline text's height is no single-line height
    addText(3.5);
    addText(5);

    filters::fillHeightBox(link, box);
    EXPECT_EQ(box.entries, (QStringList{u"3.5"_s, u"2.5"_s, u"5"_s}));
    EXPECT_EQ(box.shown, u"3.5"_s);
    EXPECT_EQ(ui.hints, (QStringList{u"提示：搜索高度0.0%"_s, u"提示：搜索高度16.7%"_s,
                                     u"提示：搜索高度33.3%"_s, u"提示：搜索高度50.0%"_s,
                                     u"提示：搜索高度66.7%"_s, u"提示：搜索高度83.3%"_s,
                                     u"提示：搜索高度100.0%"_s}));
}

TEST_F(FillTest, ADrawingWithoutSingleLineTextsGivesAnEmptyHeightBox) {
    ms.AddLine({}, {1, 1, 0});
    box.entries = QStringList{u"7"_s};
    box.shown = u"7"_s;
    filters::fillHeightBox(link, box);
    EXPECT_TRUE(box.entries.isEmpty());
    EXPECT_EQ(box.shown, QString());
    EXPECT_EQ(ui.lastHint(), u"提示：搜索高度100.0%"_s);
}

TEST_F(FillTest, HeightsKeepFifteenSignificantDigits) {
    addText(10.0 / 3);
    addText(1e-3);
    addText(123456.789);
    filters::fillHeightBox(link, box);
    EXPECT_EQ(box.entries, (QStringList{u"3.33333333333333"_s, u"0.001"_s, u"123456.789"_s}));
}

TEST_F(FillTest, ThousandsOfTextsWithFewHeightsGiveAShortList) {
    const double heights[] = {2.5, 3.5, 5, 7};
    for (int i = 0; i < 20000; ++i) {
        addText(heights[(i * 7) % 4]);
    }
    filters::fillHeightBox(link, box);
    EXPECT_EQ(box.entries, (QStringList{u"2.5"_s, u"7"_s, u"5"_s, u"3.5"_s}));
    EXPECT_EQ(ui.hints.size(), 20001);
}

TEST_F(FillTest, AFailingCallEndsTheHeightFillWithTheError) {
    for (int i = 0; i < 10; ++i) {
        addText(i + 1);
    }
    app->failCall(12);
    EXPECT_THROW(filters::fillHeightBox(link, box), cad::Error);
    EXPECT_LT(box.entries.size(), 10);
}

TEST(CoordPrefixTest, TheAnswersFirstLetterInUpperCaseIsThePrefix) {
    struct Case {
        std::optional<QString> answer;  // nullopt: cancel; empty queue: the preset is accepted
        bool accepted;
        QString prefix;
        bool valid;
    };
    const Case cases[] = {
        {u"x"_s, true, u"X"_s, true},           {u"b"_s, true, u"B"_s, true},
        {u"a"_s, true, u"A"_s, true},           {u"Y"_s, true, u"Y"_s, true},
        {u"yes"_s, true, u"Y"_s, true},         {{}, false, u"A"_s, true},
        {u"C"_s, true, u"C"_s, false},          {u" a"_s, true, u" "_s, false},
        {std::nullopt, true, QString(), false}, {u""_s, true, QString(), false},
    };
    for (const Case& c : cases) {
        ui::RecordingUi ui;
        if (c.accepted) {
            ui.inputAnswers.push_back(c.answer);
        }
        const filters::CoordPrefixAnswer answer = filters::askCoordPrefix(ui);
        const std::string name = c.answer.value_or(u"<cancel>"_s).toStdString();
        EXPECT_EQ(answer.prefix, c.prefix) << name;
        EXPECT_EQ(answer.valid, c.valid) << name;
        EXPECT_EQ(ui.inputPrompts,
                  QStringList{u"以 A 打头?  以 B 打头?  以 X 打头?  还是以 Y 打头?"_s});
        EXPECT_EQ(ui.hints, c.valid ? QStringList() : QStringList{u"提示：坐标值前缀选择无效"_s})
            << name;
    }
}

}  // namespace
