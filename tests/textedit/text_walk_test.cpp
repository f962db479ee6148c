// The walk shared by pages 1 to 4: guard, scope, refusal, progress, filter, undo and selection.
#include "textedit/text_walk.h"

#include "text_drawing.h"

namespace {

using namespace textedit_test;
using filters::FilterChoice;
using filters::FilterKind;
using textedit::Outcome;
using textedit::Scope;
using textedit::walkTexts;

const textedit::WalkMessages kMessages{textedit::kChangeRefusals, u"提示：成功修改数值",
                                       u"，另有%1个未改"};

class TextWalk : public TextDrawing {
protected:
    // Walks with a change that records what it was given and answers `outcome`.
    void walk(Scope scope, const FilterChoice& choice, Outcome outcome = Outcome::Changed) {
        walkTexts(link, scope, choice, colorRule, kMessages, [&](const cad::Entity& e) {
            visited.append(e.Handle());
            return outcome;
        });
    }

    QStringList visited;
};

TEST_F(TextWalk, ProgressBeforeEveryItemThenTheFinalMessage) {
    text(u"1"_s);
    line();
    mtext(u"2"_s);
    text(u"3"_s);
    walk(Scope::ModelSpace, {});
    EXPECT_EQ(ui.hints, QStringList({u"提示：修改完成0.0%"_s, u"提示：修改完成25.0%"_s,
                                     u"提示：修改完成50.0%"_s, u"提示：修改完成75.0%"_s,
                                     u"提示：成功修改数值2个"_s}));
}

TEST_F(TextWalk, OnlySingleLineTextsThatPassTheConditionAreChanged) {
    const cad::Entity a = text(u"1"_s);
    text(u"2"_s).Layer(u"照明"_s);
    line().Layer(u"照明"_s);
    mtext(u"4"_s).Layer(u"照明"_s);
    const cad::Entity e = text(u"5"_s);
    e.Layer(u"照明"_s);
    walk(Scope::ModelSpace, {FilterKind::Layer, u"照明"_s});
    EXPECT_EQ(visited, QStringList({ms.Item(1).Handle(), e.Handle()}));
    EXPECT_FALSE(visited.contains(a.Handle()));
}

TEST_F(TextWalk, AnEmptyModelSpaceEndsWithTheFinalMessageAndZero) {
    walk(Scope::ModelSpace, {});
    EXPECT_EQ(ui.hints, QStringList({u"提示：成功修改数值0个"_s}));
}

TEST_F(TextWalk, RefusedItemsAreNotedAfterTheFinalMessage) {
    text(u"1"_s);
    text(u"2"_s);
    walk(Scope::ModelSpace, {}, Outcome::Refused);
    EXPECT_EQ(ui.lastHint(), u"提示：成功修改数值0个，另有2个未改"_s);
}

TEST_F(TextWalk, TheSelectionFormWalksThePickInPickOrderAndDeletesTheSet) {
    const cad::Entity a = text(u"1"_s);
    const cad::Entity b = text(u"2"_s);
    text(u"3"_s);
    willPick({b, a});
    walk(Scope::Selection, {});
    EXPECT_EQ(visited, QStringList({b.Handle(), a.Handle()}));
    EXPECT_EQ(ui.hints.first(), u"提示：切换至AutoCAD界面，按命令行提示执行"_s);
    EXPECT_EQ(ui.lastHint(), u"提示：成功修改数值2个"_s);
    EXPECT_FALSE(selectionSetsLeft());
    EXPECT_TRUE(link.objSelSet.isEmpty());
}

TEST_F(TextWalk, AnEmptyPickChangesNothingAndDeletesTheSet) {
    text(u"1"_s);
    willPick({});
    walk(Scope::Selection, {});
    EXPECT_EQ(ui.lastHint(), u"提示：成功修改数值0个"_s);
    EXPECT_FALSE(selectionSetsLeft());
}

TEST_F(TextWalk, ABlankBoxRefusesAfterThePickAndTheSetIsGone) {
    const cad::Entity a = text(u"1"_s);
    willPick({a});
    walk(Scope::Selection, {FilterKind::Layer, QString()});
    EXPECT_EQ(ui.hints, QStringList({u"提示：切换至AutoCAD界面，按命令行提示执行"_s,
                                     u"提示：层名没有选中"_s}));
    EXPECT_TRUE(app->script().exhausted());
    EXPECT_TRUE(visited.isEmpty());
    EXPECT_FALSE(selectionSetsLeft());
    EXPECT_EQ(doc->undoGroups(), 0);
}

TEST_F(TextWalk, TheGuardStopsBeforeAnythingElse) {
    link.objAcad.reset();
    walk(Scope::Selection, {});
    EXPECT_EQ(ui.hints, QStringList({u"提示：服务器AutoCAD没有打开"_s}));

    link.objAcad = cad::Application(app);
    app->closeDocument(*doc);
    ui.hints.clear();
    walk(Scope::ModelSpace, {});
    EXPECT_EQ(ui.hints, QStringList({u"提示：服务器AutoCAD已经关闭所有文档"_s}));
}

TEST_F(TextWalk, TheWalkIsOneUndoGroup) {
    text(u"1"_s);
    text(u"2"_s);
    walkTexts(link, Scope::ModelSpace, {}, colorRule, kMessages, [](const cad::Entity& e) {
        e.TextString(u"x"_s);
        return Outcome::Changed;
    });
    EXPECT_EQ(doc->undoGroups(), 1);
    EXPECT_EQ(doc->undoDepth(), 0);
}

// Every call of the walk may fail. A failure in the guard reports the CAD gone; one in the
// closing calls (undo mark, set deletion) is swallowed; any other passes on, and then the undo
// group is closed and the selection set is gone.
TEST_F(TextWalk, AFailureAtAnyCallLeavesNoSetAndNoOpenUndoGroup) {
    const cad::Entity a = text(u"1"_s);
    const cad::Entity b = text(u"2"_s);
    auto change = [](const cad::Entity& e) {
        e.TextString(u"x"_s);
        e.Update();
        return Outcome::Changed;
    };
    willPick({a, b});
    const qint64 before = app->callCount();
    walkTexts(link, Scope::Selection, {}, colorRule, kMessages, change);
    const qint64 calls = app->callCount() - before;
    ASSERT_GT(calls, 10);

    const cad::Document document = cad::Application(app).ActiveDocument();
    int thrown = 0;
    for (qint64 n = 1; n <= calls; ++n) {
        link.objAcad = cad::Application(app);
        willPick({a, b});
        app->failCall(n);
        try {
            walkTexts(link, Scope::Selection, {}, colorRule, kMessages, change);
            EXPECT_TRUE(ui.lastHint() == u"提示：服务器AutoCAD已经退出"_s ||
                        ui.lastHint() == u"提示：成功修改数值2个"_s)
                << n;
        } catch (const cad::Error&) {
            ++thrown;
            EXPECT_FALSE(selectionSetsLeft()) << n;
            EXPECT_EQ(doc->undoDepth(), 0) << n;
        }
        EXPECT_TRUE(link.objSelSet.isEmpty()) << n;
        while (!app->script().exhausted()) {
            app->script().selectObjects(QString());
        }
        while (doc->undoDepth() > 0) {
            document.EndUndoMark();
        }
    }
    EXPECT_EQ(thrown, calls - 4);
}

}  // namespace
