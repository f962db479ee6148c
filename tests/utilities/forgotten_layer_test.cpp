// The forgotten-layer move: the picked entity and everything after it, and the picks that move
// nothing.
#include <gtest/gtest.h>

#include "statistics/attached_drawing.h"
#include "utilities/forgotten_layer.h"

namespace {

using namespace Qt::StringLiterals;

const QString kPrompt = u"键入新建层名，所选实体以后生成的实体将改到此层。"_s;

class ForgottenLayer : public statistics_test::AttachedDrawing {
protected:
    ForgottenLayer() {
        doc->addLayer(u"墙"_s);
        for (int i = 0; i < 5; ++i) {
            entities.push_back(i % 2 == 0 ? ms.AddLine({0, 0, 0}, {1, double(i), 0})
                                          : ms.AddText(QString::number(i), {}, 2.5));
            entities.back().Layer(u"墙"_s);
        }
    }
    QStringList layers() const {
        QStringList names;
        for (const cad::Entity& e : entities) {
            names.append(e.Layer());
        }
        return names;
    }

    std::vector<cad::Entity> entities;
};

TEST_F(ForgottenLayer, PickedEntityAndLaterOnesMoveToTheNewLayer) {
    pickOnScreen({entities[2], entities[0]});
    ui.inputAnswers.push_back(u"照明"_s);
    const qint64 outside = doc->changesOutsideUndoGroups();
    utilities::moveFromPickedToNewLayer(link);
    EXPECT_EQ(layers(), (QStringList{u"墙"_s, u"墙"_s, u"照明"_s, u"照明"_s, u"照明"_s}));
    ASSERT_NE(doc->findLayer(u"照明"), nullptr);
    EXPECT_EQ(ui.inputPrompts, QStringList{kPrompt});
    EXPECT_EQ(ui.broughtToFront, 1);
    EXPECT_EQ(ui.lastHint(), u"提示：切换至AutoCAD界面，按命令行提示执行"_s);
    EXPECT_FALSE(selectionSetLeft());
    EXPECT_EQ(doc->undoGroups(), 1);
    EXPECT_EQ(doc->changesOutsideUndoGroups(), outside);
}

TEST_F(ForgottenLayer, DefaultNameIsNewLayerAndAnExistingLayerIsUsedAsItIs) {
    pickOnScreen({entities[4]});
    utilities::moveFromPickedToNewLayer(link);
    EXPECT_EQ(entities[4].Layer(), u"NewLayer"_s);
    pickOnScreen({entities[3]});
    ui.inputAnswers.push_back(u"newlayer"_s);
    utilities::moveFromPickedToNewLayer(link);
    EXPECT_EQ(layers(), (QStringList{u"墙"_s, u"墙"_s, u"墙"_s, u"NewLayer"_s, u"NewLayer"_s}));
}

TEST_F(ForgottenLayer, CancelledNameChangesNothing) {
    pickOnScreen({entities[1]});
    ui.inputAnswers.push_back(std::nullopt);
    const qint64 changes = doc->changes();
    utilities::moveFromPickedToNewLayer(link);
    EXPECT_EQ(doc->changes(), changes);
    EXPECT_FALSE(selectionSetLeft());
}

TEST_F(ForgottenLayer, NothingPickedChangesNothingAndSaysSo) {
    pickOnScreen({});
    const qint64 changes = doc->changes();
    utilities::moveFromPickedToNewLayer(link);
    EXPECT_EQ(ui.lastHint(), u"提示：没有选择实体，图层未改"_s);
    EXPECT_TRUE(ui.inputPrompts.isEmpty());
    EXPECT_EQ(doc->changes(), changes);
    EXPECT_FALSE(selectionSetLeft());
}

TEST_F(ForgottenLayer, EntityPickedInALayoutChangesNothingAndSaysSo) {
    auto& paper = doc->paperSpace().append(doc->makeEntity(cad::memory::kinds::line()));
    const QString handle = paper.handleText();
    doc->defineVariable(u"TILEMODE"_s, 0);
    app->script().queueObjects({handle});
    const qint64 changes = doc->changes();
    utilities::moveFromPickedToNewLayer(link);
    EXPECT_EQ(ui.lastHint(), u"提示：所选实体不在模型空间，图层未改"_s);
    EXPECT_TRUE(ui.inputPrompts.isEmpty());
    EXPECT_EQ(doc->changes(), changes);
    EXPECT_EQ(layers(), QStringList(5, u"墙"_s));
    EXPECT_FALSE(selectionSetLeft());
}

TEST_F(ForgottenLayer, LockedLayerKeepsItsEntityWhileTheOthersMove) {
    doc->addLayer(u"锁"_s);
    entities[3].Layer(u"锁"_s);
    doc->findLayer(u"锁")->locked = true;
    pickOnScreen({entities[1]});
    ui.inputAnswers.push_back(u"照明"_s);
    utilities::moveFromPickedToNewLayer(link);
    EXPECT_EQ(layers(), (QStringList{u"墙"_s, u"照明"_s, u"照明"_s, u"锁"_s, u"照明"_s}));
}

TEST_F(ForgottenLayer, FailureAtAnyCallKeepsEarlierEntitiesAndTheNextMoveWorks) {
    for (int n = 3; n <= 30; ++n) {  // after the guard's two calls
        link.AttachCad();
        pickOnScreen({entities[3]});
        ui.inputAnswers.push_back(u"照明"_s);
        app->failCall(n);
        try {
            utilities::moveFromPickedToNewLayer(link);
        } catch (const cad::Error&) {
            // Before the walk: the window's guard reports it.
        }
        app->failCall(1000000);
        EXPECT_EQ(entities[0].Layer(), u"墙"_s) << n;
    }
    // A set or undo group a failing call left open does not hinder the next move.
    pickOnScreen({entities[4]});
    ui.inputAnswers.clear();
    ui.inputAnswers.push_back(u"末层"_s);
    utilities::moveFromPickedToNewLayer(link);
    EXPECT_EQ(entities[4].Layer(), u"末层"_s);
    EXPECT_FALSE(selectionSetLeft());
}

}  // namespace
