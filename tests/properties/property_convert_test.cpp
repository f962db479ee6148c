// What the eight conversions change, what they leave alone, and how a pass ends when the CAD
// refuses a change half-way.
#include <functional>

#include "cad/memory/entity.h"
#include "cad/memory/kinds.h"
#include "properties/property_convert.h"
#include "property_drawing.h"

namespace {

using namespace Qt::StringLiterals;
using properties::ConversionInput;

using Conversion = void (*)(cad::CadLink&, const ConversionInput&);

const QString kDone = u"提示：修改完成100.0%"_s;
const QString kStopped = u"提示：转换中途停止，已修改的对象保留"_s;
const QString kPickHint = u"提示：切换至AutoCAD界面，按命令行提示执行"_s;

class ConvertTest : public PropertyDrawingTest {
protected:
    cad::Entity addOther(const char16_t* dxfName, const QString& layer) {
        auto entity = doc->makeEntity(cad::memory::kindByDxfName(QString::fromUtf16(dxfName)));
        entity->setSlotValue(cad::memory::kLayerSlot, layer);
        doc->modelSpace().append(entity);
        return cad::Entity(entity);
    }

    // Every conversion must leave the CAD as it found it apart from the entities: one closed
    // undo group, no change outside it, no selection set. outsideBefore: the drawing's set-up.
    void expectOneCleanUndoStep(qint64 outsideBefore) const {
        EXPECT_EQ(doc->undoGroups(), 1);
        EXPECT_EQ(doc->undoDepth(), 0);
        EXPECT_EQ(doc->changesOutsideUndoGroups(), outsideBefore);
        EXPECT_TRUE(doc->selectionSets().empty());
    }
};

TEST_F(ConvertTest, ColourEntriesMatchByTheirNumber) {
    const struct {
        const char* name;
        ConversionInput input;
        int before;
        int after;
    } cases[] = {
        {"by block to white", {u"  0(BYBLOCK)"_s, u"  7(白/黑)"_s}, 0, 7},
        {"red to by layer", {u"  1(红)"_s, u"256(BYLAYER)"_s}, 1, 256},
        {"plain number", {u"30"_s, u"  2(黄)"_s}, 30, 2},
        {"by layer to by block", {u"256(BYLAYER)"_s, u"  0(BYBLOCK)"_s}, 256, 0},
    };
    for (const auto& c : cases) {
        auto app2 = cad::memory::Application::create();
        app2->newDocument(u"colours.dwg"_s);
        const cad::ModelSpace space = cad::Application(app2).ActiveDocument().ModelSpace();
        std::vector<cad::Entity> entities;
        for (int color : {0, 1, 7, 30, 256, 3}) {
            entities.push_back(space.AddLine({}, {1, 0, 0}));
            entities.back().Color(color);
        }
        cad::registerRunningObject(progId(), app2);
        link.AttachCad();

        properties::ColorConvertAll(link, c.input);
        const int expected[] = {0, 1, 7, 30, 256, 3};
        for (std::size_t i = 0; i < entities.size(); ++i) {
            const int want = expected[i] == c.before ? c.after : expected[i];
            EXPECT_EQ(entities[i].Color(), want) << c.name << " entity " << i;
        }
        EXPECT_EQ(ui.lastHint(), kDone) << c.name;
    }
}

TEST_F(ConvertTest, ColourSourceOfOtherDigitsMatchesNothing) {
    const cad::Entity seven = addLine(7);
    properties::ColorConvertAll(link, {u"07"_s, u"  1(红)"_s});
    EXPECT_EQ(seven.Color(), 7);
    EXPECT_EQ(ui.lastHint(), kDone);
}

TEST_F(ConvertTest, StyleConversionChangesSingleAndMultilineTextsOnly) {
    doc->addTextStyle(u"仿宋"_s, u"fsdb.shx"_s, u"hztxt.shx"_s);
    const cad::Entity text = ms.AddText(u"1"_s, {}, 3.5);
    ms.AddLine({}, {1, 0, 0});
    addOther(u"ATTDEF", u"0"_s);
    addOther(u"DIMENSION", u"0"_s);
    const cad::Entity mtext = ms.AddMtext({}, 10, u"说明"_s);

    const qint64 setUp = doc->changesOutsideUndoGroups();
    properties::StyleConvertAll(link, {u"Standard"_s, u"仿宋"_s});
    EXPECT_EQ(text.StyleName(), u"仿宋"_s);
    EXPECT_EQ(mtext.StyleName(), u"仿宋"_s);
    // The other kinds have no StyleName to read here: touching one would stop the pass.
    EXPECT_EQ(ui.lastHint(), kDone);
    expectOneCleanUndoStep(setUp);
}

TEST_F(ConvertTest, NameConversionsMatchExactlyAndMoveEveryKind) {
    doc->addLayer(u"照明"_s);
    doc->addLayer(u"动力"_s);
    doc->addLinetype(u"HIDDEN"_s);
    auto onLayer = [&](cad::Entity e, const QString& layer) {
        e.Layer(layer);
        return e;
    };
    const std::vector<cad::Entity> moved = {
        onLayer(ms.AddLine({}, {1, 0, 0}), u"照明"_s),
        onLayer(ms.AddText(u"N1"_s, {}, 3), u"照明"_s),
        onLayer(ms.AddCircle({}, 2), u"照明"_s),
        onLayer(ms.AddArc({}, 2, 0, 1), u"照明"_s),
        onLayer(ms.AddMtext({}, 10, u"x"_s), u"照明"_s),
        addOther(u"INSERT", u"照明"_s),
        addOther(u"HATCH", u"照明"_s),
    };
    const cad::Entity stays = ms.AddLine({}, {2, 0, 0});

    const qint64 setUp = doc->changesOutsideUndoGroups();
    properties::LayerConvertAll(link, {u"照明"_s, u"动力"_s});
    for (const cad::Entity& e : moved) {
        EXPECT_EQ(e.Layer(), u"动力"_s) << e.EntityName().toStdString();
    }
    EXPECT_EQ(stays.Layer(), u"0"_s);
    expectOneCleanUndoStep(setUp);

    // Letter case counts: "continuous" is not the linetype "Continuous".
    const cad::Entity dashed = ms.AddLine({}, {3, 0, 0});
    dashed.Linetype(u"Continuous"_s);
    properties::TypeConvertAll(link, {u"continuous"_s, u"HIDDEN"_s});
    EXPECT_EQ(dashed.Linetype(), u"Continuous"_s);
    properties::TypeConvertAll(link, {u"Continuous"_s, u"HIDDEN"_s});
    EXPECT_EQ(dashed.Linetype(), u"HIDDEN"_s);
    EXPECT_EQ(stays.Linetype(), u"ByLayer"_s);
}

TEST_F(ConvertTest, SourceEqualToTargetSetsEveryMatchAndEndsAtAHundred) {
    const cad::Entity red = addLine(1);
    addLine(2);
    const qint64 changes = doc->changes();
    properties::ColorConvertAll(link, {u"  1(红)"_s, u"  1(红)"_s});
    EXPECT_EQ(red.Color(), 1);
    EXPECT_EQ(doc->changes(), changes + 1);
    EXPECT_EQ(ui.hints, (QStringList{u"提示：修改完成0.0%"_s, u"提示：修改完成50.0%"_s, kDone}));
}

TEST_F(ConvertTest, EmptyModelSpaceGoesStraightToAHundred) {
    properties::LayerConvertAll(link, {u"0"_s, u"0"_s});
    EXPECT_EQ(ui.hints, QStringList{kDone});
}

TEST_F(ConvertTest, SelectionFormsChangeOnlyThePickedObjectsAndDeleteTheSet) {
    const Conversion forms[] = {properties::ColorConvertPart, properties::LayerConvertPart,
                                properties::StyleConvertPart, properties::TypeConvertPart};
    doc->addLayer(u"照明"_s);
    doc->addTextStyle(u"仿宋"_s, u"fsdb.shx"_s, u"hztxt.shx"_s);
    doc->addLinetype(u"HIDDEN"_s);
    const ConversionInput inputs[] = {{u"  1(红)"_s, u"  3(绿)"_s},
                                      {u"0"_s, u"照明"_s},
                                      {u"Standard"_s, u"仿宋"_s},
                                      {u"ByLayer"_s, u"HIDDEN"_s}};
    const cad::Entity picked = ms.AddText(u"1"_s, {}, 3);
    const cad::Entity left = ms.AddText(u"2"_s, {}, 3);
    picked.Color(1);
    left.Color(1);
    for (int i = 0; i < 4; ++i) {
        app->script().queueObjects({picked.Handle()});
        forms[i](link, inputs[i]);
        EXPECT_TRUE(ui.hints.contains(kPickHint)) << i;
        EXPECT_EQ(ui.lastHint(), kDone) << i;
        EXPECT_TRUE(doc->selectionSets().empty()) << i;
        EXPECT_TRUE(link.objSelSet.isEmpty()) << i;
    }
    EXPECT_EQ(picked.Color(), 3);
    EXPECT_EQ(picked.Layer(), u"照明"_s);
    EXPECT_EQ(picked.StyleName(), u"仿宋"_s);
    EXPECT_EQ(picked.Linetype(), u"HIDDEN"_s);
    EXPECT_EQ(left.Color(), 1);
    EXPECT_EQ(left.Layer(), u"0"_s);
    EXPECT_EQ(left.StyleName(), u"Standard"_s);
    EXPECT_EQ(left.Linetype(), u"ByLayer"_s);
    EXPECT_EQ(doc->undoGroups(), 4);
}

TEST_F(ConvertTest, LockedLayerEntityStopsThePassKeepingEarlierChanges) {
    const struct {
        const char* name;
        Conversion conversion;
    } forms[] = {{"whole drawing", properties::ColorConvertAll},
                 {"selection", properties::ColorConvertPart}};
    for (const auto& form : forms) {
        auto app2 = cad::memory::Application::create();
        auto drawing = app2->newDocument(u"locked.dwg"_s);
        drawing->addLayer(u"锁定"_s);
        const cad::ModelSpace space = cad::Application(app2).ActiveDocument().ModelSpace();
        const cad::Entity first = space.AddLine({}, {1, 0, 0});
        const cad::Entity locked = space.AddLine({}, {2, 0, 0});
        const cad::Entity last = space.AddLine({}, {3, 0, 0});
        for (const cad::Entity& e : {first, locked, last}) {
            e.Color(1);
        }
        locked.Layer(u"锁定"_s);
        drawing->findLayer(u"锁定")->locked = true;
        cad::registerRunningObject(progId(), app2);
        link.AttachCad();
        app2->script().queueObjects({first.Handle(), locked.Handle(), last.Handle()});
        ui.hints.clear();

        form.conversion(link, {u"  1(红)"_s, u"  5(藏青)"_s});
        EXPECT_EQ(first.Color(), 5) << form.name;
        EXPECT_EQ(locked.Color(), 1) << form.name;
        EXPECT_EQ(last.Color(), 1) << form.name;
        EXPECT_EQ(ui.lastHint(), kStopped) << form.name;
        EXPECT_FALSE(ui.hints.contains(kDone)) << form.name;
        EXPECT_EQ(drawing->undoGroups(), 1) << form.name;
        EXPECT_EQ(drawing->undoDepth(), 0) << form.name;
        EXPECT_TRUE(drawing->selectionSets().empty()) << form.name;
    }
}

TEST_F(ConvertTest, TargetRemovedSinceTheSearchStopsThePass) {
    const cad::Entity line = ms.AddLine({}, {1, 0, 0});
    const qint64 setUp = doc->changesOutsideUndoGroups();
    properties::LayerConvertAll(link, {u"0"_s, u"已删除"_s});
    EXPECT_EQ(line.Layer(), u"0"_s);
    EXPECT_EQ(ui.lastHint(), kStopped);
    expectOneCleanUndoStep(setUp);
}

TEST_F(ConvertTest, GuardRefusalLeavesTheDrawingAlone) {
    const cad::Entity red = addLine(1);
    link.ReleaseCadObjects();
    properties::ColorConvertAll(link, {u"  1(红)"_s, u"  2(黄)"_s});
    EXPECT_EQ(red.Color(), 1);
    EXPECT_EQ(ui.hints, QStringList{u"提示：服务器AutoCAD没有打开"_s});
    EXPECT_EQ(doc->undoGroups(), 0);
}

}  // namespace
