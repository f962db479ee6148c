// Block counting: the name search and the two counts.
#include <gtest/gtest.h>

#include "attached_drawing.h"
#include "filters/choice_box.h"
#include "statistics/block_count.h"

namespace {

using namespace Qt::StringLiterals;
using cad::Member;
using statistics::BlockCountInput;

const QString kAllLayers = QString::fromUtf16(statistics::kAllLayers);
const QString kFailed = u"提示：服务器AutoCAD已经退出"_s;

struct FakeBox : filters::ChoiceBox {
    void clear() override { entries.clear(); }
    void append(const QString& entry) override { entries.append(entry); }
    int entryCount() const override { return int(entries.size()); }
    QString entry(int position) const override { return entries.at(position); }
    void setText(const QString& text) override { shown = text; }

    QStringList entries;
    QString shown = u"untouched"_s;
};

class BlockCount : public statistics_test::AttachedDrawing {
protected:
    BlockCount() {
        doc->addLayer(u"Light"_s);
        doc->addBlock(u"LAMP"_s);
        doc->addBlock(u"Socket"_s);
    }

    cad::Entity insert(const QString& block, const QString& layer = u"0"_s) {
        auto& e = doc->modelSpace().append(doc->makeEntity(cad::memory::kinds::insert()));
        e.setValue(Member::Name, block);
        e.setValue(Member::Layer, layer);
        return cad::Entity(doc->modelSpace().entities.back());
    }
    QString modeMacro() const { return doc->variable(u"MODEMACRO"_s).toText(); }

    FakeBox blockBox;
    FakeBox layerBox;
};

TEST_F(BlockCount, SearchLeavesOutTheLayoutBlocksOnly) {
    doc->addBlock(u"*paper_space0"_s);
    doc->addBlock(u"*Paper_Space1"_s);
    doc->addBlock(u"*U3"_s);
    statistics::SearchBlocksLayers(link, blockBox, layerBox);
    EXPECT_EQ(blockBox.entries,
              (QStringList{u"LAMP"_s, u"Socket"_s, u"*Paper_Space1"_s, u"*U3"_s}));
    EXPECT_EQ(blockBox.shown, u"LAMP"_s);
    EXPECT_EQ(layerBox.entries, (QStringList{u"0"_s, u"Light"_s, kAllLayers}));
    EXPECT_EQ(layerBox.shown, kAllLayers);
    EXPECT_TRUE(ui.hints.isEmpty());
}

TEST_F(BlockCount, SecondSearchAppendsEverythingAgain) {
    statistics::SearchBlocksLayers(link, blockBox, layerBox);
    statistics::SearchBlocksLayers(link, blockBox, layerBox);
    EXPECT_EQ(blockBox.entries, (QStringList{u"LAMP"_s, u"Socket"_s, u"LAMP"_s, u"Socket"_s}));
    EXPECT_EQ(layerBox.entries,
              (QStringList{u"0"_s, u"Light"_s, kAllLayers, u"0"_s, u"Light"_s, kAllLayers}));
    EXPECT_EQ(layerBox.shown, kAllLayers);
}

TEST_F(BlockCount, DrawingWithLayoutBlocksOnlyGivesAnEmptyBlockList) {
    auto empty = app->newDocument(u"empty.dwg"_s);
    empty->addBlock(u"*Paper_Space0"_s);
    statistics::SearchBlocksLayers(link, blockBox, layerBox);
    EXPECT_TRUE(blockBox.entries.isEmpty());
    EXPECT_EQ(blockBox.shown, QString());
}

TEST_F(BlockCount, FailingSearchSaysTheCadHasNoDrawing) {
    app->failCall(5);  // after the guard's two calls: the block table's Count
    statistics::SearchBlocksLayers(link, blockBox, layerBox);
    EXPECT_EQ(ui.lastHint(), u"提示：AutoCAD中无图形文档"_s);
    EXPECT_EQ(layerBox.shown, u"untouched"_s);
}

TEST_F(BlockCount, CountsReferencesIgnoringCaseAndBlanks) {
    insert(u"LAMP"_s);
    insert(u"lamp"_s, u"Light"_s);
    insert(u"Lamp"_s, u"Light"_s);
    insert(u"Socket"_s, u"Light"_s);
    ms.AddText(u"LAMP"_s, {}, 2.5);

    const struct {
        const char16_t* block;
        QString layer;
        const char16_t* hint;
    } cases[] = {
        {u"LAMP", kAllLayers, u"提示：plan.dwg图中有 3个LAMP块"},
        {u" lamp ", kAllLayers, u"提示：plan.dwg图中有 3个 lamp 块"},
        {u"lamp", u" LIGHT"_s, u"提示：plan.dwg图中有 2个lamp块"},
        {u"lamp", u"0"_s, u"提示：plan.dwg图中有 1个lamp块"},
        {u"Desk", kAllLayers, u"提示：plan.dwg图中有 0个Desk块"},
        {u"LAMP", u"<所有层> "_s, u"提示：plan.dwg图中有 3个LAMP块"},
        {u"   ", kAllLayers, u"提示：plan.dwg图中有 0个   块"},
    };
    for (const auto& c : cases) {
        statistics::countBlocks(link, {QString::fromUtf16(c.block), c.layer},
                                cad::Scope::ModelSpace);
        EXPECT_EQ(ui.lastHint(), QString::fromUtf16(c.hint));
    }
}

TEST_F(BlockCount, CountShowsItsProgressInBothStatusLines) {
    insert(u"LAMP"_s);
    ms.AddLine({}, {1, 0, 0});
    struct WatchingUi : ui::RecordingUi {
        void showHint(const QString& text) override {
            RecordingUi::showHint(text);
            statusLines.append(doc->variable(u"MODEMACRO"_s).toText());
        }
        cad::memory::Document* doc = nullptr;
        QStringList statusLines;
    } watching;
    watching.doc = doc.get();
    cad::CadLink watched(watching);
    watched.AttachCad();

    statistics::countBlocks(watched, {u"LAMP"_s, kAllLayers}, cad::Scope::ModelSpace);
    EXPECT_EQ(watching.hints, (QStringList{u"提示：统计进程50.0%"_s, u"提示：统计进程100.0%"_s,
                                           u"提示：plan.dwg图中有 1个LAMP块"_s}));
    EXPECT_EQ(watching.statusLines, (QStringList{u"正在数块..."_s, u"正在数块..."_s, u""_s}));
    EXPECT_EQ(watching.pointers, (std::vector{ui::Pointer::Busy, ui::Pointer::Default}));
}

TEST_F(BlockCount, EmptyBoxesAreRefusedWithoutTouchingAnything) {
    doc->defineVariable(u"MODEMACRO"_s, u"mine"_s);
    statistics::countBlocks(link, {QString(), kAllLayers}, cad::Scope::ModelSpace);
    EXPECT_EQ(ui.lastHint(), u"提示：输入块的名称"_s);
    statistics::countBlocks(link, {u"LAMP"_s, QString()}, cad::Scope::Selection);
    EXPECT_EQ(ui.lastHint(), u"提示：输入层的名称"_s);
    EXPECT_TRUE(ui.pointers.empty());
    EXPECT_EQ(modeMacro(), u"mine"_s);
    EXPECT_TRUE(app->script().prompts.isEmpty());
}

TEST_F(BlockCount, LargeModelSpaceIsCountedInFull) {
    for (int i = 0; i < 40000; ++i) {
        if (i % 4 == 0) {
            insert(u"LAMP"_s);
        } else {
            doc->modelSpace().append(doc->makeEntity(cad::memory::kinds::line()));
        }
    }
    statistics::countBlocks(link, {u"LAMP"_s, kAllLayers}, cad::Scope::ModelSpace);
    EXPECT_EQ(ui.lastHint(), u"提示：plan.dwg图中有 10000个LAMP块"_s);
    EXPECT_EQ(ui.hints.at(ui.hints.size() - 2), u"提示：统计进程100.0%"_s);
}

TEST_F(BlockCount, SelectionCountBringsTheWindowBackAndDeletesTheSet) {
    cad::Entity picked = insert(u"LAMP"_s);
    insert(u"LAMP"_s);
    pickOnScreen({picked});
    statistics::countBlocks(link, {u"LAMP"_s, kAllLayers}, cad::Scope::Selection);
    EXPECT_EQ(ui.lastHint(), u"提示：选择区域中有 1个LAMP块"_s);
    EXPECT_TRUE(ui.hints.contains(u"提示：切换至AutoCAD界面，按命令行提示执行"_s));
    EXPECT_EQ(ui.broughtToFront, 1);
    EXPECT_FALSE(selectionSetLeft());

    pickOnScreen({});
    statistics::countBlocks(link, {u"LAMP"_s, kAllLayers}, cad::Scope::Selection);
    EXPECT_EQ(ui.lastHint(), u"提示：选择区域中有 0个LAMP块"_s);
    EXPECT_FALSE(selectionSetLeft());
}

TEST_F(BlockCount, FailureAtAnyCallEndsCleanly) {
    cad::Entity picked = insert(u"LAMP"_s);
    pickOnScreen({picked});
    const qint64 before = app->callCount();
    statistics::countBlocks(link, {u"LAMP"_s, kAllLayers}, cad::Scope::Selection);
    const qint64 calls = app->callCount() - before;

    // The last call deletes the set; when that call itself fails the set stays until the next
    // pick clears it away.
    for (qint64 n = 1; n < calls; ++n) {
        SCOPED_TRACE(n);
        if (app->script().exhausted()) {
            pickOnScreen({picked});
        }
        if (!link.isAttached()) {
            link.AttachCad();  // a failing guard takes the CAD for gone
        }
        ui.hints.clear();
        ui.pointers.clear();
        app->failCall(n);
        statistics::countBlocks(link, {u"LAMP"_s, kAllLayers}, cad::Scope::Selection);
        EXPECT_FALSE(selectionSetLeft());
        EXPECT_EQ(modeMacro(), QString());
        if (!ui.pointers.empty()) {
            EXPECT_EQ(ui.pointers.back(), ui::Pointer::Default);
        }
        if (ui.lastHint() == kFailed) {
            EXPECT_FALSE(ui.hints.contains(u"提示：选择区域中有 1个LAMP块"_s));
        }
    }
}

TEST_F(BlockCount, FailureInTheWalkRestoresTheCadStatusLine) {
    insert(u"LAMP"_s);
    insert(u"LAMP"_s);
    const qint64 before = app->callCount();
    statistics::countBlocks(link, {u"LAMP"_s, kAllLayers}, cad::Scope::ModelSpace);
    // Fails the last reference's Name: after MODEMACRO was set, before it was emptied.
    app->failCall(app->callCount() - before - 2);
    statistics::countBlocks(link, {u"LAMP"_s, kAllLayers}, cad::Scope::ModelSpace);
    EXPECT_EQ(ui.lastHint(), kFailed);
    EXPECT_EQ(modeMacro(), QString());
    EXPECT_EQ(ui.pointers.back(), ui::Pointer::Default);
}

}  // namespace
