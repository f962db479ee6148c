// CadLink: attaching, watching, the guard and the selection set.
#include <gtest/gtest.h>

#include "cad/cad_link.h"
#include "cad/memory/application.h"
#include "cad/running.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"

namespace {

using namespace cad;
using namespace Qt::StringLiterals;

const QString kProgId = u"AutoCAD.Application"_s;

class CadLinkTest : public ::testing::Test {
protected:
    ~CadLinkTest() override { revokeRunningObject(kProgId); }

    std::shared_ptr<memory::Application> startCad() {
        auto app = memory::Application::create();
        app->newDocument(u"Drawing1.dwg"_s);
        registerRunningObject(kProgId, app);
        return app;
    }

    // Fills every shared reference, as a run of operations would.
    void holdEverything(memory::Application& app) {
        Document doc = link.objAcad.ActiveDocument();
        link.objUtility = doc.Utility();
        link.objLinetypes = doc.Linetypes();
        doc.ModelSpace().AddLine({}, {1, 1, 0});
        app.script().queueObjects({});
        link.PickSelection();
    }

    bool everythingEmpty() const {
        const Dispatch* refs[] = {&link.objAcad, &link.objUtility, &link.objLinetypes,
                                  &link.objSelSet};
        return std::all_of(std::begin(refs), std::end(refs), [](auto* r) { return r->isEmpty(); });
    }

    ui::RecordingUi ui;
    CadLink link{ui};
};

TEST_F(CadLinkTest, StartedBeforeTheCadAttachesAtTheNextTick) {
    link.AttachCad();
    EXPECT_FALSE(link.isAttached());
    EXPECT_EQ(ui.hints, QStringList{u"提示：服务器AutoCAD没有打开"_s});

    link.tick();  // still nothing running: the user is not told again
    EXPECT_EQ(ui.hints.size(), 1);

    auto app = startCad();
    link.tick();
    EXPECT_TRUE(link.isAttached());
    EXPECT_EQ(ui.lastHint(), u"提示：服务器AutoCAD已经打开"_s);
}

TEST_F(CadLinkTest, TicksWhileAttachedWriteNothing) {
    auto app = startCad();
    link.AttachCad();
    EXPECT_TRUE(ui.hints.isEmpty());
    ui.showHint(u"提示：修改数值2个"_s);
    link.tick();
    link.tick();
    EXPECT_EQ(ui.hints, QStringList{u"提示：修改数值2个"_s});
}

TEST_F(CadLinkTest, LossAtATickEmptiesEveryReferenceAndARestartIsPickedUp) {
    auto app = startCad();
    link.AttachCad();
    holdEverything(*app);
    app->quit();

    link.tick();
    EXPECT_EQ(ui.lastHint(), u"提示：服务器AutoCAD已经退出"_s);
    EXPECT_TRUE(everythingEmpty());
    EXPECT_FALSE(link.CheckCadReady());
    EXPECT_EQ(ui.lastHint(), u"提示：服务器AutoCAD没有打开"_s);

    auto restarted = startCad();
    link.tick();
    EXPECT_EQ(ui.lastHint(), u"提示：服务器AutoCAD已经打开"_s);
    EXPECT_TRUE(link.CheckCadReady());
}

TEST_F(CadLinkTest, ReleasingClosesNothingInTheCad) {
    auto app = startCad();
    link.AttachCad();
    holdEverything(*app);
    link.ReleaseCadObjects();
    EXPECT_TRUE(everythingEmpty());
    EXPECT_TRUE(app->isRunning());
    EXPECT_EQ(app->documents().size(), 1u);
    EXPECT_EQ(app->activeDocument()->modelSpace().entities.size(), 1u);
}

TEST_F(CadLinkTest, GuardSaysWhyAnOperationCannotRun) {
    EXPECT_FALSE(link.CheckCadReady());
    EXPECT_EQ(ui.lastHint(), u"提示：服务器AutoCAD没有打开"_s);

    auto app = startCad();
    link.AttachCad();
    EXPECT_TRUE(link.CheckCadReady());
    const qsizetype hintsBefore = ui.hints.size();
    EXPECT_EQ(ui.hints.size(), hintsBefore);

    app->closeDocument(*app->activeDocument());
    EXPECT_FALSE(link.CheckCadReady());
    EXPECT_EQ(ui.lastHint(), u"提示：服务器AutoCAD已经关闭所有文档"_s);
    EXPECT_TRUE(link.isAttached());
}

TEST_F(CadLinkTest, GuardNoticesACadThatDiedSinceTheLastTick) {
    auto app = startCad();
    link.AttachCad();
    app->quit();
    EXPECT_FALSE(link.CheckCadReady());
    EXPECT_EQ(ui.lastHint(), u"提示：服务器AutoCAD已经退出"_s);
    EXPECT_FALSE(link.isAttached());
}

TEST_F(CadLinkTest, PickSelectionFillsTheSetAndTheGuardDeletesIt) {
    auto app = startCad();
    link.AttachCad();
    auto doc = app->activeDocument();
    Entity t = link.objAcad.ActiveDocument().ModelSpace().AddText(u"5"_s, {}, 2.5);
    app->script().queueObjects({t.Handle()});
    {
        CadLink::SelectionGuard guard(link);
        SelectionSet set = link.PickSelection();
        EXPECT_EQ(ui.lastHint(), u"提示：切换至AutoCAD界面，按命令行提示执行"_s);
        EXPECT_EQ(set.Name(), u"SelPart"_s);
        ASSERT_EQ(set.Count(), 1);
        EXPECT_EQ(set.Item(0).TextString(), u"5"_s);
    }
    EXPECT_TRUE(doc->selectionSets().empty());
    EXPECT_TRUE(link.objSelSet.isEmpty());
}

TEST_F(CadLinkTest, PickSelectionReplacesASetLeftOverByAnEarlierRun) {
    auto app = startCad();
    link.AttachCad();
    auto doc = app->activeDocument();
    doc->addSelectionSet(u"SELPART"_s);
    app->script().queueCancel();
    SelectionSet set = link.PickSelection();
    EXPECT_EQ(set.Count(), 0);
    ASSERT_EQ(doc->selectionSets().size(), 1u);
    EXPECT_EQ(doc->selectionSets()[0]->name, u"SelPart"_s);
}

TEST_F(CadLinkTest, DeletingTheSetOfADeadCadFailsQuietly) {
    auto app = startCad();
    link.AttachCad();
    link.PickSelection();
    app->quit();
    EXPECT_NO_THROW(link.DeleteSelection());
    EXPECT_TRUE(link.objSelSet.isEmpty());
}

TEST_F(CadLinkTest, TicksAreHeldOffWhileAnOperationRuns) {
    auto app = startCad();
    link.AttachCad();
    link.objUtility = link.objAcad.ActiveDocument().Utility();
    {
        CadLink::Busy busy(link);
        app->quit();
        link.tick();
        EXPECT_FALSE(link.objUtility.isEmpty());
        EXPECT_TRUE(ui.hints.isEmpty());
    }
    link.tick();
    EXPECT_EQ(ui.lastHint(), u"提示：服务器AutoCAD已经退出"_s);
}

}  // namespace
