// Inserting a chosen symbol: the guard, the switch hint, exact-name dispatch and silent failures.
#include <gtest/gtest.h>

#include <functional>

#include "cad/cad_link.h"
#include "cad/memory/application.h"
#include "support/qstring_printer.h"
#include "symbols/symbol_insertion.h"
#include "ui/recording_ui.h"

namespace symbols {
namespace {

using namespace Qt::StringLiterals;

const QString kSwitchHint = u"提示：切换至AutoCAD界面，按命令行提示执行"_s;

class SymbolInsertionTest : public ::testing::Test {
protected:
    SymbolInsertionTest() { link.objAcad = cad::Application(app); }

    int entityCount() const { return cad::Document(doc).ModelSpace().Count(); }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> doc = app->newDocument(u"Drawing1.dwg"_s);
    ui::RecordingUi ui;
    cad::CadLink link{ui};
};

TEST_F(SymbolInsertionTest, ChosenSymbolIsDrawnAtThePickAsOneUndoStepAfterTheSwitchHint) {
    app->script().queuePoint({100, 200, 0});
    insertChosenSymbol(link, u"电流表"_s);
    EXPECT_EQ(ui.hints, QStringList{kSwitchHint});
    EXPECT_EQ(entityCount(), 2);
    EXPECT_EQ(doc->undoGroups(), 1);
    EXPECT_EQ(doc->changesOutsideUndoGroups(), 0);
    EXPECT_FALSE(link.objUtility.isEmpty());
    EXPECT_FALSE(link.objLinetypes.isEmpty());
}

TEST_F(SymbolInsertionTest, NamesNotExactlyInTheLibraryDrawNothingAndSaySo) {
    for (const QString& name : {QString(), u"荧光灯"_s, u" 荧光灯1"_s, u"荧光灯1 "_s, u"签 名"_s}) {
        SCOPED_TRACE(name.toStdString());
        ui.hints.clear();
        insertChosenSymbol(link, name);
        EXPECT_EQ(ui.hints, (QStringList{kSwitchHint, u"提示：库内无图"_s}));
    }
    EXPECT_EQ(entityCount(), 0);
    EXPECT_TRUE(app->script().prompts.isEmpty());
}

TEST_F(SymbolInsertionTest, SignatureIsReservedToItsAuthorAndAsksNothing) {
    insertChosenSymbol(link, u"签名"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：签字项只能作者使用"_s);
    EXPECT_EQ(entityCount(), 0);
    EXPECT_TRUE(app->script().prompts.isEmpty());
}

TEST_F(SymbolInsertionTest, EscAtThePromptEndsSilentlyWithTheSwitchHintStanding) {
    app->script().queueCancel();
    insertChosenSymbol(link, u"直流箱屏"_s);
    EXPECT_EQ(ui.hints, QStringList{kSwitchHint});
    EXPECT_EQ(entityCount(), 0);
    EXPECT_EQ(app->script().prompts.size(), 1);
}

TEST_F(SymbolInsertionTest, FailingCallMidDrawingEndsSilentlyKeepingWhatWasDrawn) {
    // 接地装置 loads CENTER, picks, then adds circles; make a later call fail.
    app->script().queuePoint({0, 0, 0});
    app->failCall(30);
    insertChosenSymbol(link, u"接地装置"_s);
    EXPECT_EQ(ui.hints, QStringList{kSwitchHint});
    EXPECT_GT(entityCount(), 0);
    EXPECT_LT(entityCount(), 28);
}

TEST_F(SymbolInsertionTest, GuardRefusesWithoutCadOrDrawingBeforeAnyHintOfItsOwn) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        QString hint;
    };
    const Case cases[] = {
        {"not attached", [this] { link.ReleaseCadObjects(); }, u"提示：服务器AutoCAD没有打开"_s},
        {"no drawing", [this] { app->closeDocument(*doc); },
         u"提示：服务器AutoCAD已经关闭所有文档"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        link.objAcad = cad::Application(app);
        c.arrange();
        ui.hints.clear();
        app->script().queuePoint({0, 0, 0});
        insertChosenSymbol(link, u"电流表"_s);
        EXPECT_EQ(ui.hints, QStringList{c.hint});
        EXPECT_TRUE(app->script().prompts.isEmpty());
    }
}

}  // namespace
}  // namespace symbols
