// The embedded drawing's undo journal: every change undone and redone, whole operations as one
// step, the modified flag, the observer and saving through the interface.
#include <gtest/gtest.h>

#include <functional>

#include "cad/automation.h"
#include "cad/memory/application.h"
#include "support/qstring_printer.h"

namespace {

using namespace cad;
using namespace Qt::StringLiterals;

class UndoJournal : public ::testing::Test {
public:
    std::shared_ptr<memory::Application> app = memory::Application::create();
    std::shared_ptr<memory::Document> doc = app->newDocument(u"Drawing1.dwg"_s);
    Application acad{app};
    Document document = acad.ActiveDocument();
    ModelSpace ms = document.ModelSpace();

    // What the changes below can touch, as one comparable text.
    QString state() const {
        QStringList parts;
        for (const auto& block : doc->blocks()) {
            parts << block->name;
            for (const auto& e : block->entities) {
                parts << e->handleText() + u':' + e->layer() + u':' +
                             QString::number(e->slotValue(memory::kColorSlot).toInt());
                if (const int s = e->kind().slot(Member::TextString); s >= 0) {
                    parts << e->slotValue(s).toText();
                }
            }
        }
        for (const auto& layer : doc->layers()) {
            parts << layer->name + u':' + QString::number(layer->color) + u':' + layer->linetype +
                         (layer->locked ? u":locked"_s : QString());
        }
        for (const auto& s : doc->textStyles()) {
            parts << s->name;
        }
        for (const auto& lt : doc->linetypes()) {
            parts << lt->name;
        }
        parts << doc->currentLayer() << doc->activeTextStyle().name;
        return parts.join(u'|');
    }
};

struct ChangeCase {
    const char* name;
    std::function<void(UndoJournal&)> prepare;  // direct setters: nothing recorded
    std::function<void(UndoJournal&)> change;   // through the interface
};

class EachChangeKind : public UndoJournal, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(EachChangeKind, UndoesToTheStateBeforeAndRedoesToTheStateAfter) {
    const ChangeCase& c = GetParam();
    doc->modelSpace().append(doc->makeEntity(memory::kinds::text()));
    doc->addLayer(u"照明"_s);
    doc->addTextStyle(u"仿宋"_s, u"fsdb.shx"_s, QString());
    if (c.prepare) {
        c.prepare(*this);
    }
    ASSERT_FALSE(doc->canUndo());
    const QString before = state();

    c.change(*this);
    const QString after = state();
    ASSERT_NE(after, before);
    ASSERT_TRUE(doc->canUndo());
    EXPECT_TRUE(doc->isModified());

    EXPECT_TRUE(doc->undo());
    EXPECT_EQ(state(), before);
    EXPECT_FALSE(doc->canUndo());
    EXPECT_FALSE(doc->isModified());
    EXPECT_TRUE(doc->redo());
    EXPECT_EQ(state(), after);
    EXPECT_FALSE(doc->canRedo());
    EXPECT_TRUE(doc->undo());
    EXPECT_EQ(state(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, EachChangeKind,
    ::testing::Values(
        ChangeCase{"EntityText", {}, [](UndoJournal& t) { t.ms.Item(0).TextString(u"12"_s); }},
        ChangeCase{"EntityLayer", {}, [](UndoJournal& t) { t.ms.Item(0).Layer(u"照明"_s); }},
        ChangeCase{"AddLine",
                   {},
                   [](UndoJournal& t) {
                       t.ms.AddLine({0, 0, 0}, {1, 1, 0});
                   }},
        ChangeCase{"AddTextToABlock", [](UndoJournal& t) { t.doc->addBlock(u"灯具"_s); },
                   [](UndoJournal& t) {
                       ModelSpace(t.document.Blocks().Item(2).object()).AddText(u"L"_s, {}, 2.5);
                   }},
        ChangeCase{"EraseFirstOfTwo",
                   [](UndoJournal& t) {
                       t.doc->modelSpace().append(t.doc->makeEntity(memory::kinds::line()));
                   },
                   [](UndoJournal& t) { t.ms.Item(0).Delete(); }},
        ChangeCase{"AddLayer", {}, [](UndoJournal& t) { t.document.Layers().Add(u"插座"_s); }},
        ChangeCase{"LayerColor", {}, [](UndoJournal& t) { t.document.Layers().Item(1).Color(3); }},
        ChangeCase{"LayerLock", {}, [](UndoJournal& t) { t.document.Layers().Item(1).Lock(true); }},
        ChangeCase{"LayerLinetype", [](UndoJournal& t) { t.doc->addLinetype(u"DASHED"_s); },
                   [](UndoJournal& t) {
                       t.document.Layers().Item(1).object()->Put(Member::Linetype, u"DASHED"_s);
                   }},
        ChangeCase{"LoadLinetype",
                   {},
                   [](UndoJournal& t) { t.document.Linetypes().Load(u"CENTER"_s, u"acad.lin"_s); }},
        ChangeCase{"DeleteTextStyle",
                   {},
                   [](UndoJournal& t) { t.document.TextStyles().Item(1).Delete(); }},
        ChangeCase{
            "ActiveTextStyle",
            {},
            [](UndoJournal& t) { t.document.ActiveTextStyle(t.document.TextStyles().Item(1)); }},
        ChangeCase{"TextStyleVariable",
                   {},
                   [](UndoJournal& t) { t.document.SetVariable(u"TEXTSTYLE"_s, u"仿宋"_s); }},
        ChangeCase{"CurrentLayer",
                   {},
                   [](UndoJournal& t) { t.document.SetVariable(u"CLAYER"_s, u"照明"_s); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UndoJournal, AnOperationOfManyChangesIsOneStep) {
    doc->addLayer(u"照明"_s);
    ms.AddLine({0, 0, 0}, {1, 0, 0});
    const QString before = state();
    {
        UndoGroup operation(document);
        document.Layers().Add(u"插座"_s);
        for (int i = 0; i < 50; ++i) {
            ms.AddText(QString::number(i), {double(i), 0, 0}, 2.5).Layer(u"插座"_s);
        }
        document.StartUndoMark();  // an inner group is part of the outer one
        ms.Item(0).Delete();
        document.EndUndoMark();
        document.Layers().Item(1).Color(1);
    }
    const QString after = state();

    EXPECT_TRUE(doc->undo());
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(doc->undo());  // the line added on its own
    EXPECT_EQ(ms.Count(), 0);
    EXPECT_FALSE(doc->undo());
    EXPECT_TRUE(doc->redo());
    EXPECT_TRUE(doc->redo());
    EXPECT_EQ(state(), after);
}

TEST_F(UndoJournal, RefusesWhileAnOperationRunsOrWithNothingToDo) {
    EXPECT_FALSE(doc->undo());
    EXPECT_FALSE(doc->redo());
    ms.AddLine({0, 0, 0}, {1, 0, 0});
    document.StartUndoMark();
    ms.AddLine({0, 0, 0}, {2, 0, 0});
    EXPECT_FALSE(doc->canUndo());
    EXPECT_FALSE(doc->undo());
    EXPECT_EQ(ms.Count(), 2);
    document.EndUndoMark();
    EXPECT_TRUE(doc->undo());
    EXPECT_EQ(ms.Count(), 1);
    document.StartUndoMark();
    EXPECT_FALSE(doc->redo());
    document.EndUndoMark();
    EXPECT_TRUE(doc->redo());
    EXPECT_EQ(ms.Count(), 2);
}

TEST_F(UndoJournal, AnOperationThatChangesNothingLeavesNoStep) {
    ms.AddLine({0, 0, 0}, {1, 0, 0});
    { UndoGroup operation(document); }
    EXPECT_TRUE(doc->undo());
    EXPECT_EQ(ms.Count(), 0);
}

TEST_F(UndoJournal, ANewChangeAfterUndoDropsTheRedoSteps) {
    ms.AddLine({0, 0, 0}, {1, 0, 0});
    ms.AddLine({0, 0, 0}, {2, 0, 0});
    ASSERT_TRUE(doc->undo());
    ASSERT_TRUE(doc->canRedo());
    ms.AddCircle({0, 0, 0}, 1);
    EXPECT_FALSE(doc->canRedo());
    EXPECT_FALSE(doc->redo());
    ASSERT_TRUE(doc->undo());
    ASSERT_TRUE(doc->undo());
    EXPECT_EQ(ms.Count(), 0);
    EXPECT_TRUE(doc->redo());
    EXPECT_TRUE(doc->redo());
    ASSERT_EQ(ms.Count(), 2);
    EXPECT_EQ(ms.Item(1).EntityName(), u"AcDbCircle"_s);
}

TEST_F(UndoJournal, AnUndoneEntityComesBackAsTheSameObject) {
    Entity line = ms.AddLine({0, 0, 0}, {1, 0, 0});
    const QString handle = line.Handle();
    line.Delete();
    EXPECT_THROW(line.Handle(), Error);
    ASSERT_TRUE(doc->undo());
    EXPECT_EQ(line.Handle(), handle);
    EXPECT_EQ(ms.Item(0).object(), line.object());
    ASSERT_TRUE(doc->undo());
    EXPECT_THROW(line.Handle(), Error);
    ASSERT_TRUE(doc->redo());
    EXPECT_EQ(line.Handle(), handle);
}

TEST_F(UndoJournal, LoadingRecordsNothing) {
    doc->addLayer(u"照明"_s).color = 2;
    auto& e = doc->modelSpace().append(doc->makeEntity(memory::kinds::text()));
    e.setValue(Member::TextString, u"1"_s);
    doc->setCurrentLayer(u"照明"_s);
    EXPECT_FALSE(doc->isModified());
    EXPECT_FALSE(doc->canUndo());
}

TEST_F(UndoJournal, ModifiedFollowsTheJournalAcrossSaveUndoAndRedo) {
    EXPECT_FALSE(doc->isModified());
    ms.AddLine({0, 0, 0}, {1, 0, 0});
    EXPECT_TRUE(doc->isModified());
    doc->markSaved();
    EXPECT_FALSE(doc->isModified());
    ASSERT_TRUE(doc->undo());
    EXPECT_TRUE(doc->isModified());
    ASSERT_TRUE(doc->redo());
    EXPECT_FALSE(doc->isModified());

    ASSERT_TRUE(doc->undo());
    ms.AddCircle({0, 0, 0}, 1);  // the saved drawing cannot be reached again
    ASSERT_TRUE(doc->undo());
    EXPECT_TRUE(doc->isModified());
    ASSERT_TRUE(doc->redo());
    EXPECT_TRUE(doc->isModified());

    document.StartUndoMark();
    ms.AddCircle({0, 0, 0}, 2);
    doc->markSaved();  // saved while an operation runs
    document.EndUndoMark();
    EXPECT_FALSE(doc->isModified());
}

struct RecordingObserver : memory::Observer {
    int changes = 0;
    int quits = 0;
    void drawingChanged(memory::Document&) override { ++changes; }
    void applicationQuit() override { ++quits; }
};

TEST_F(UndoJournal, TellsTheObserverOfChangesUpdatesUndoRedoAndQuit) {
    RecordingObserver observer;
    app->setObserver(&observer);
    Entity t = ms.AddText(u"1"_s, {}, 2.5);
    t.TextString(u"2"_s);
    t.object()->Call(Member::Update, {});
    doc->undo();
    doc->redo();
    EXPECT_EQ(observer.changes, 5);
    EXPECT_EQ(observer.quits, 0);
    acad.object()->Call(Member::Quit, {});
    EXPECT_EQ(observer.quits, 1);
    app->setObserver(nullptr);
}

TEST_F(UndoJournal, SavesThroughTheHostsSaver) {
    std::vector<QString> saved;
    std::optional<QString> failure;
    app->setSaver([&](memory::Document& d, const QString& path) {
        EXPECT_EQ(&d, doc.get());
        saved.push_back(path);
        return failure;
    });
    EXPECT_THROW(document.Save(), Error);  // a new drawing has no file yet
    ms.AddLine({0, 0, 0}, {1, 0, 0});
    document.SaveAs(u"/tmp/plans/一层照明.dxf"_s);
    EXPECT_EQ(doc->path(), u"/tmp/plans/一层照明.dxf"_s);
    EXPECT_EQ(document.Name(), u"一层照明.dxf"_s);
    EXPECT_FALSE(doc->isModified());

    ms.AddLine({0, 0, 0}, {2, 0, 0});
    failure = u"磁盘已满"_s;
    EXPECT_THROW(document.Save(), Error);
    EXPECT_TRUE(doc->isModified());
    failure.reset();
    document.Save();
    EXPECT_FALSE(doc->isModified());
    EXPECT_EQ(saved,
              (std::vector<QString>{u"/tmp/plans/一层照明.dxf"_s, u"/tmp/plans/一层照明.dxf"_s,
                                    u"/tmp/plans/一层照明.dxf"_s}));
}

TEST_F(UndoJournal, WithoutASaverSavingFails) {
    EXPECT_THROW(document.SaveAs(u"/tmp/x.dxf"_s), Error);
    EXPECT_TRUE(doc->path().isEmpty());
}

}  // namespace
