// The editor's exchanges with the drawing: placing its text, importing multiline texts, joining.
#include <gtest/gtest.h>

#include "cad/memory/application.h"
#include "cad/running.h"
#include "mtext/mtext_exchange.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;

const QString kProgId = u"AutoCAD.Application"_s;
const QString kSwitchHint = u"提示：切换至AutoCAD界面，按命令行提示执行"_s;
const QString kWidthHint = u"提示：多行字宽须是正整数"_s;

class ExchangeTest : public ::testing::Test {
protected:
    ExchangeTest() {
        cad::registerRunningObject(kProgId, app);
        link.AttachCad();
    }
    ~ExchangeTest() override { cad::revokeRunningObject(kProgId); }

    std::vector<cad::Entity> entitiesOf(const QString& kind) const {
        std::vector<cad::Entity> found;
        for (int i = 0; i < ms.Count(); ++i) {
            if (ms.Item(i).EntityName() == kind) {
                found.push_back(ms.Item(i));
            }
        }
        return found;
    }
    std::vector<cad::Entity> mtexts() const { return entitiesOf(u"AcDbMText"_s); }

    // The automation calls CheckCadReady makes; a failure among them is the guard's to report.
    qint64 guardCalls() {
        const qint64 before = app->callCount();
        link.CheckCadReady();
        return app->callCount() - before;
    }

    // The drawing as set up, before the operation runs.
    void setUpDone() { m_outsideBefore = doc->changesOutsideUndoGroups(); }

    void expectOneUndoStep() const {
        EXPECT_EQ(doc->undoGroups(), 1);
        EXPECT_EQ(doc->undoDepth(), 0);
        EXPECT_EQ(doc->changesOutsideUndoGroups(), m_outsideBefore);
    }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> doc = app->newDocument(u"Drawing1.dwg"_s);
    cad::ModelSpace ms = cad::Application(app).ActiveDocument().ModelSpace();
    ui::RecordingUi ui;
    cad::CadLink link{ui};

private:
    qint64 m_outsideBefore = 0;
};

TEST(MultilineWidth, IsAPositiveWholeNumberInSinglePrecision) {
    struct Case {
        const char16_t* text;
        std::optional<float> width;
    };
    const Case cases[] = {
        {u"170", 170.0f}, {u"170.0", 170.0f}, {u"1e2", 100.0f}, {u" 25 ", 25.0f},
        {u"0", {}},       {u"-5", {}},        {u"12.5", {}},    {u"12cm", {}},
        {u"", {}},        {u"abc", {}},       {u"1e39", {}},    {u"1e400", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mtext::multilineWidth(QStringView(c.text)), c.width)
            << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(ParagraphBreaks, OnlyCrLfPairsAndBackslashPChange) {
    EXPECT_EQ(mtext::paragraphBreaks(u"a\r\nb\rc\nd\r\r\n"_s), u"a\\Pb\rc\nd\r\\P"_s);
    EXPECT_EQ(mtext::lineBreaks(u"a\\Pb\\pc{\\C1;d}\\P\\P"_s), u"a\r\nb\\pc{\\C1;d}\r\n\r\n"_s);
}

TEST_F(ExchangeTest, RefusedWidthsAndAnEmptyEditorStopBeforeTheDrawing) {
    struct Case {
        const char* name;
        std::function<void()> run;
        QString hint;
    };
    const Case cases[] = {
        {"to drawing, width 12cm",
         [&] {
             mtext::MTextToDrawing(link, {u"12cm"_s, u"text"_s});
         },
         kWidthHint},
        {"to drawing, width -5",
         [&] {
             mtext::MTextToDrawing(link, {u"-5"_s, QString()});
         },
         kWidthHint},
        {"to drawing, empty editor",
         [&] {
             mtext::MTextToDrawing(link, {u"170"_s, QString()});
         },
         u"提示：文本框中没有内容"_s},
        {"join, width 12.5", [&] { mtext::TextsToMText(link, u"12.5"_s); }, kWidthHint},
    };
    for (const Case& c : cases) {
        ui.hints.clear();
        c.run();
        EXPECT_EQ(ui.hints, QStringList{c.hint}) << c.name;
    }
    EXPECT_TRUE(app->script().prompts.isEmpty());
    EXPECT_EQ(ms.Count(), 0);
}

TEST_F(ExchangeTest, EveryExchangeNeedsTheCad) {
    link.ReleaseCadObjects();
    mtext::MTextToDrawing(link, {u"170"_s, u"text"_s});
    EXPECT_FALSE(mtext::MTextFromDrawing(link, u"kept"_s));
    mtext::TextsToMText(link, u"170"_s);
    EXPECT_EQ(ui.hints, QStringList(3, u"提示：服务器AutoCAD没有打开"_s));
    EXPECT_TRUE(ui.pointers.empty());
}

TEST_F(ExchangeTest, TwoLinesRoundTripThroughParagraphBreaks) {
    app->script().queuePoint({10, 20, 0});
    mtext::MTextToDrawing(link, {u"1e2"_s, u"第一行\r\n第二行"_s});

    ASSERT_EQ(mtexts().size(), 1u);
    const cad::Entity placed = mtexts().front();
    EXPECT_EQ(placed.TextString(), u"第一行\\P第二行"_s);
    EXPECT_EQ(placed.InsertionPoint(), (cad::Point{10, 20, 0}));
    EXPECT_EQ(placed.Width(), 100.0);
    EXPECT_EQ(app->script().prompts, QStringList{u"选择多行文字在图中的插入点: "_s});
    EXPECT_FALSE(app->script().basePoints.at(0).has_value());
    EXPECT_EQ(ui.hints, QStringList{kSwitchHint});
    EXPECT_EQ(ui.broughtToFront, 1);
    expectOneUndoStep();

    const std::optional<QString> editor = mtext::MTextFromDrawing(link, u"旧"_s);
    EXPECT_EQ(editor, u"旧\r\n第一行\r\n第二行\r\n"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：导入图中 1处多行文字"_s);
    EXPECT_EQ(ui.pointers, (std::vector{ui::Pointer::Busy, ui::Pointer::Default}));
    EXPECT_EQ(doc->undoGroups(), 1);
}

TEST_F(ExchangeTest, ACancelledPickAddsNothingAndSaysNothingMore) {
    app->script().queueCancel();
    mtext::MTextToDrawing(link, {u"170"_s, u"text"_s});
    EXPECT_EQ(ms.Count(), 0);
    EXPECT_EQ(ui.hints, QStringList{kSwitchHint});
    EXPECT_EQ(ui.broughtToFront, 0);
    EXPECT_EQ(doc->undoGroups(), 0);
}

TEST_F(ExchangeTest, ImportFromADrawingWithoutMultilineTextsAppendsOnlyALineBreak) {
    ms.AddText(u"单行"_s, {}, 2.5);
    ms.AddLine({}, {1, 1, 0});
    EXPECT_EQ(mtext::MTextFromDrawing(link, u"abc"_s), u"abc\r\n"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：导入图中 0处多行文字"_s);
}

TEST_F(ExchangeTest, ImportTakesEveryMultilineTextInDrawingOrderWithItsCodes) {
    ms.AddMtext({}, 50, u"{\\C1;红}\\P二"_s);
    ms.AddText(u"skip"_s, {}, 2.5);
    ms.AddMtext({}, 50, u"三"_s);
    EXPECT_EQ(mtext::MTextFromDrawing(link, QString()), u"\r\n{\\C1;红}\r\n二\r\n三\r\n"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：导入图中 2处多行文字"_s);
}

TEST_F(ExchangeTest, AFailureWhileImportingRestoresThePointerAndChangesNothing) {
    for (int i = 0; i < 3; ++i) {
        ms.AddMtext({}, 50, u"m"_s);
    }
    const qint64 before = app->callCount();
    ASSERT_TRUE(mtext::MTextFromDrawing(link, QString()));
    const qint64 calls = app->callCount() - before;
    for (qint64 n = guardCalls() + 1; n <= calls; ++n) {
        ui.pointers.clear();
        app->failCall(n);
        EXPECT_THROW(mtext::MTextFromDrawing(link, QString()), cad::Error) << n;
        EXPECT_EQ(ui.pointers.back(), ui::Pointer::Default) << n;
        link.AttachCad();
    }
}

TEST_F(ExchangeTest, JoiningAbAndCdMakesOneTextAtTheTopOfTheFirst) {
    const cad::Entity ab = ms.AddText(u"ab"_s, {5, 10, 0}, 2.5);
    const cad::Entity line = ms.AddLine({}, {1, 1, 0});
    const cad::Entity cd = ms.AddMtext({40, 40, 0}, 30, u"cd"_s);
    cd.Height(3.5);
    app->script().queueObjects({ab.Handle(), line.Handle(), cd.Handle()});
    setUpDone();

    mtext::TextsToMText(link, u"170"_s);

    const std::vector<cad::Entity> all = mtexts();
    ASSERT_EQ(all.size(), 2u);
    const cad::Entity& joined = all.back();
    EXPECT_EQ(joined.TextString(), u"abcd"_s);
    EXPECT_EQ(joined.Height(), 2.5);
    EXPECT_EQ(joined.InsertionPoint(), (cad::Point{5, 12.5, 0}));
    EXPECT_EQ(joined.Width(), 170.0);
    EXPECT_EQ(ab.TextString(), QString());
    EXPECT_EQ(cd.TextString(), QString());
    EXPECT_EQ(ms.Count(), 4);
    EXPECT_EQ(ui.hints, QStringList{kSwitchHint});
    EXPECT_EQ(ui.broughtToFront, 1);
    EXPECT_TRUE(doc->selectionSets().empty());
    expectOneUndoStep();
}

TEST_F(ExchangeTest, AJoinWithoutPickedTextsAddsNothing) {
    const cad::Entity line = ms.AddLine({}, {1, 1, 0});
    const QStringList picks[] = {{}, {line.Handle()}};
    for (const QStringList& handles : picks) {
        app->script().queueObjects(handles);
        mtext::TextsToMText(link, u"170"_s);
        EXPECT_EQ(ms.Count(), 1) << handles.size();
        EXPECT_TRUE(doc->selectionSets().empty());
    }
    EXPECT_EQ(doc->undoGroups(), 0);
    EXPECT_EQ(doc->changes(), 1);  // the line
    EXPECT_EQ(ui.broughtToFront, 2);
}

TEST_F(ExchangeTest, AJoinSurvivesAFailureAtAnyCall) {
    const cad::Entity ab = ms.AddText(u"ab"_s, {5, 10, 0}, 2.5);
    const cad::Entity cd = ms.AddText(u"cd"_s, {5, 5, 0}, 2.5);
    const auto prepare = [&] {
        for (int i = ms.Count() - 1; i >= 2; --i) {
            ms.Item(i).Delete();
        }
        ab.TextString(u"ab"_s);
        cd.TextString(u"cd"_s);
        if (app->script().exhausted()) {
            app->script().queueObjects({ab.Handle(), cd.Handle()});
        }
    };
    prepare();
    qint64 start = app->callCount();
    mtext::TextsToMText(link, u"170"_s);
    const qint64 calls = app->callCount() - start;
    for (qint64 n = 1; n <= calls; ++n) {
        prepare();
        start = app->callCount();
        app->failCall(n);
        EXPECT_NO_THROW(mtext::TextsToMText(link, u"170"_s)) << n;
        EXPECT_GE(app->callCount() - start, n);
        link.AttachCad();
    }
}

TEST_F(ExchangeTest, PlacingSurvivesAFailureAtAnyCallSilently) {
    app->script().queuePoint({});
    const qint64 before = app->callCount();
    mtext::MTextToDrawing(link, {u"170"_s, u"text"_s});
    const qint64 calls = app->callCount() - before;
    for (qint64 n = guardCalls() + 1; n <= calls; ++n) {
        ui.hints.clear();
        app->script().queuePoint({});
        app->failCall(n);
        EXPECT_NO_THROW(mtext::MTextToDrawing(link, {u"170"_s, u"text"_s})) << n;
        EXPECT_EQ(ui.hints, QStringList{kSwitchHint}) << n;
    }
}

}  // namespace
