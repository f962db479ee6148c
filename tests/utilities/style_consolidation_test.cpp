// Text style consolidation: which styles merge, what the texts and the style table look like
// after, and the runs a real drawing can make endless or fail.
#include <gtest/gtest.h>

#include <functional>

#include "statistics/attached_drawing.h"
#include "utilities/style_consolidation.h"

namespace {

using namespace Qt::StringLiterals;

const QString kDone = u"提示：整理完成100.0%"_s;

class StyleConsolidation : public statistics_test::AttachedDrawing {
protected:
    cad::Entity text(const QString& style) {
        const cad::Entity e = ms.AddText(u"文字"_s, {}, 2.5);
        e.StyleName(style);
        return e;
    }
    cad::Entity mtext(const QString& style) {
        const cad::Entity e = ms.AddMtext({}, 40, u"多行"_s);
        e.StyleName(style);
        return e;
    }
    QStringList styleNames() const {
        QStringList names;
        for (const auto& style : doc->textStyles()) {
            names.append(style->name);
        }
        return names;
    }
};

TEST_F(StyleConsolidation, SecondOfTwoSameShapedStylesMergesIntoTheFirst) {
    doc->addTextStyle(u"A"_s, u"txt.shx"_s, u"hztxt.shx"_s);
    doc->addTextStyle(u"B"_s, u"txt.shx"_s, u"hztxt.shx"_s);
    doc->addTextStyle(u"C"_s, u"romans.shx"_s, QString());
    const cad::Entity a = text(u"A"_s);
    const cad::Entity b = text(u"B"_s);
    const cad::Entity bm = mtext(u"B"_s);
    const cad::Entity c = mtext(u"C"_s);
    ms.AddLine({}, {1, 1, 0});
    const qint64 outside = doc->changesOutsideUndoGroups();

    utilities::ConsolidateStyles(link);
    EXPECT_EQ(a.StyleName(), u"A"_s);
    EXPECT_EQ(b.StyleName(), u"A"_s);
    EXPECT_EQ(bm.StyleName(), u"A"_s);
    EXPECT_EQ(c.StyleName(), u"C"_s);
    EXPECT_EQ(styleNames(), (QStringList{u"Standard"_s, u"A"_s, u"C"_s}));
    EXPECT_EQ(doc->activeTextStyle().name, u"A"_s);
    EXPECT_EQ(ui.hints, (QStringList{u"提示：整理完成0.0%"_s, u"提示：整理完成20.0%"_s,
                                     u"提示：整理完成40.0%"_s, u"提示：整理完成60.0%"_s,
                                     u"提示：整理完成80.0%"_s, kDone}));
    EXPECT_EQ(ui.eventsProcessed, 5);
    EXPECT_EQ(doc->undoGroups(), 1);
    EXPECT_EQ(doc->changesOutsideUndoGroups(), outside);
}

TEST_F(StyleConsolidation, ThreeSameShapedStylesCollapseIntoTheFirstAfterTwoMerges) {
    doc->addTextStyle(u"甲"_s, u"gbenor.shx"_s, u"gbcbig.shx"_s);
    doc->addTextStyle(u"乙"_s, u"gbenor.shx"_s, u"gbcbig.shx"_s);
    doc->addTextStyle(u"丙"_s, u"gbenor.shx"_s, u"gbcbig.shx"_s);
    const cad::Entity second = text(u"乙"_s);
    const cad::Entity third = mtext(u"丙"_s);

    utilities::ConsolidateStyles(link);
    EXPECT_EQ(second.StyleName(), u"甲"_s);
    EXPECT_EQ(third.StyleName(), u"甲"_s);
    EXPECT_EQ(styleNames(), (QStringList{u"Standard"_s, u"甲"_s}));
    EXPECT_EQ(doc->activeTextStyle().name, u"甲"_s);
    EXPECT_EQ(ui.eventsProcessed, 4);  // two entities walked once per merge
    EXPECT_EQ(ui.lastHint(), kDone);
    EXPECT_EQ(doc->undoGroups(), 1);
}

TEST_F(StyleConsolidation, FontFilesDifferingInCaseAreNotTheSameShape) {
    doc->addTextStyle(u"A"_s, u"txt.shx"_s, u"hztxt.shx"_s);
    doc->addTextStyle(u"B"_s, u"TXT.shx"_s, u"hztxt.shx"_s);
    doc->addTextStyle(u"C"_s, u"txt.shx"_s, u"HZTXT.SHX"_s);
    text(u"B"_s);
    utilities::ConsolidateStyles(link);
    EXPECT_EQ(styleNames(), (QStringList{u"Standard"_s, u"A"_s, u"B"_s, u"C"_s}));
    EXPECT_EQ(ui.hints, QStringList{kDone});
}

TEST_F(StyleConsolidation, DrawingWithoutSameShapedStylesIsLeftAsItIs) {
    doc->addTextStyle(u"A"_s, u"txt.shx"_s, u"hztxt.shx"_s);
    doc->addTextStyle(u"C"_s, u"romans.shx"_s, QString());
    text(u"A"_s);
    const qint64 changes = doc->changes();
    utilities::ConsolidateStyles(link);
    EXPECT_EQ(ui.hints, QStringList{kDone});
    EXPECT_EQ(ui.eventsProcessed, 0);
    EXPECT_EQ(doc->changes(), changes);
    EXPECT_EQ(doc->activeTextStyle().name, u"Standard"_s);
}

TEST_F(StyleConsolidation, StyleStillUsedOutsideModelSpaceIsKeptAndCountedOnce) {
    doc->addTextStyle(u"A"_s, u"txt.shx"_s, u"hztxt.shx"_s);
    doc->addTextStyle(u"B"_s, u"txt.shx"_s, u"hztxt.shx"_s);
    doc->addTextStyle(u"D"_s, u"txt.shx"_s, u"hztxt.shx"_s);
    const cad::Entity b = text(u"B"_s);
    const cad::Entity d = text(u"D"_s);
    doc->paperSpace()
        .append(doc->makeEntity(cad::memory::kinds::text()))
        .setValue(cad::Member::StyleName, u"B"_s);
    cad::memory::BlockRecord& block = doc->addBlock(u"图框"_s);
    block.append(doc->makeEntity(cad::memory::kinds::mtext()))
        .setValue(cad::Member::StyleName, u"B"_s);

    utilities::ConsolidateStyles(link);
    EXPECT_EQ(b.StyleName(), u"A"_s);
    EXPECT_EQ(d.StyleName(), u"A"_s);
    EXPECT_EQ(doc->paperSpace().entities[0]->value(cad::Member::StyleName).toText(), u"B"_s);
    EXPECT_EQ(block.entities[0]->value(cad::Member::StyleName).toText(), u"B"_s);
    // B stays; B and D do not merge into B since D was merged into A first.
    EXPECT_EQ(styleNames(), (QStringList{u"Standard"_s, u"A"_s, u"B"_s}));
    EXPECT_EQ(ui.lastHint(), u"提示：整理完成100.0%， 1个字型未能删除"_s);
}

TEST_F(StyleConsolidation, CadFailureBeforeTheFirstDeletionEndsTheRun) {
    doc->addTextStyle(u"A"_s, u"txt.shx"_s, u"hztxt.shx"_s);
    doc->addTextStyle(u"B"_s, u"txt.shx"_s, u"hztxt.shx"_s);
    text(u"B"_s);
    app->failCall(5);  // after the guard, in the first scan
    EXPECT_THROW(utilities::ConsolidateStyles(link), cad::Error);
    EXPECT_EQ(doc->undoDepth(), 0);
    EXPECT_EQ(styleNames(), (QStringList{u"Standard"_s, u"A"_s, u"B"_s}));
}

TEST_F(StyleConsolidation, CadThatQuitsAfterTheFirstDeletionEndsTheRunQuietly) {
    doc->addTextStyle(u"A"_s, u"txt.shx"_s, u"hztxt.shx"_s);
    doc->addTextStyle(u"B"_s, u"txt.shx"_s, u"hztxt.shx"_s);
    doc->addTextStyle(u"C"_s, u"txt.shx"_s, u"hztxt.shx"_s);
    text(u"B"_s);
    text(u"C"_s);
    struct QuittingUi : ui::RecordingUi {
        void processEvents() override {
            RecordingUi::processEvents();
            if (eventsProcessed == 3) {  // first entity of the second merge
                quit();
            }
        }
        std::function<void()> quit;
    } quitting;
    quitting.quit = [this] { app->quit(); };
    cad::CadLink quitLink(quitting);
    quitLink.AttachCad();
    EXPECT_NO_THROW(utilities::ConsolidateStyles(quitLink));
    // The style whose deletion the quit cut short is counted.
    EXPECT_EQ(quitting.lastHint(), u"提示：整理完成100.0%， 1个字型未能删除"_s);
}

}  // namespace
