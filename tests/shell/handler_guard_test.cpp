// The guard every handler runs in: what is left after an automation failure.
#include <gtest/gtest.h>

#include "cad/memory/application.h"
#include "cad/running.h"
#include "shell/handler_guard.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;

const QString kProgId = u"AutoCAD.Application"_s;

class HandlerGuardTest : public ::testing::Test {
protected:
    HandlerGuardTest() {
        registerRunningObject(kProgId, app);
        link.AttachCad();
    }
    ~HandlerGuardTest() override { cad::revokeRunningObject(kProgId); }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> doc = app->newDocument(u"Drawing1.dwg"_s);
    ui::RecordingUi ui;
    cad::CadLink link{ui};
};

TEST_F(HandlerGuardTest, AFailureInTheMiddleLeavesNothingOfTheOperationBehind) {
    cad::Document document = link.objAcad.ActiveDocument();
    app->script().queueObjects({});
    shell::runGuarded(link, [&] {
        ui.setPointer(ui::Pointer::Busy);
        link.PickSelection();
        app->failCall(1);
        document.ModelSpace();
        ADD_FAILURE() << "the failing call returned";
    });
    EXPECT_TRUE(doc->selectionSets().empty());
    EXPECT_TRUE(link.objSelSet.isEmpty());
    EXPECT_EQ(ui.pointers.back(), ui::Pointer::Default);
    EXPECT_EQ(ui.lastHint(), u"提示：AutoCAD调用失败，操作已中止"_s);
    EXPECT_EQ(ui.hints.count(u"提示：AutoCAD调用失败，操作已中止"_s), 1);
    // The program goes on: the next operation gets the CAD as before.
    EXPECT_TRUE(link.CheckCadReady());
}

TEST_F(HandlerGuardTest, ACadThatDiedMidwayIsReportedOnceAndNothingElseFails) {
    shell::runGuarded(link, [&] {
        app->quit();
        link.objAcad.ActiveDocument();
    });
    EXPECT_EQ(ui.hints, QStringList{u"提示：AutoCAD调用失败，操作已中止"_s});
}

TEST_F(HandlerGuardTest, AHandlerThatSucceedsIsLeftAlone) {
    shell::runGuarded(link, [&] { ui.showHint(u"提示：修改数值2个"_s); });
    EXPECT_EQ(ui.hints, QStringList{u"提示：修改数值2个"_s});
    EXPECT_TRUE(ui.pointers.empty());
}

TEST_F(HandlerGuardTest, TicksAreHeldOffWhileAHandlerRuns) {
    shell::runGuarded(link, [&] {
        app->quit();
        link.tick();
        EXPECT_TRUE(link.isAttached());
    });
    link.tick();
    EXPECT_EQ(ui.lastHint(), u"提示：服务器AutoCAD已经退出"_s);
}

}  // namespace
