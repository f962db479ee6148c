// The embedded drawing: what it keeps, what it refuses like a real CAD, and its test switches.
#include <gtest/gtest.h>

#include <functional>

#include "cad/automation.h"
#include "cad/memory/application.h"
#include "cad/running.h"
#include "support/qstring_printer.h"

namespace {

using namespace cad;
using namespace Qt::StringLiterals;

class MemoryDrawing : public ::testing::Test {
protected:
    std::shared_ptr<memory::Application> app = memory::Application::create();
    std::shared_ptr<memory::Document> doc = app->newDocument(u"Drawing1.dwg"_s);
    Application acad{app};
    Document document = acad.ActiveDocument();
    ModelSpace ms = document.ModelSpace();

    Entity text(const QString& s, const Point& at = {}) { return ms.AddText(s, at, 2.5); }
};

TEST_F(MemoryDrawing, KeepsEntitiesInDrawingOrderWithUniqueHandles) {
    Entity line = ms.AddLine({0, 0, 0}, {3, 4, 0});
    Entity t = text(u"12"_s, {1, 2, 0});
    Entity arc = ms.AddArc({0, 0, 0}, 5, 0, M_PI / 2);
    Entity mt = ms.AddMtext({0, 0, 0}, 170, u"a\\Pb"_s);

    ASSERT_EQ(ms.Count(), 4);
    const QStringList kinds = {ms.Item(0).EntityName(), ms.Item(1).EntityName(),
                               ms.Item(2).EntityName(), ms.Item(3).EntityName()};
    EXPECT_EQ(kinds, (QStringList{u"AcDbLine"_s, u"AcDbText"_s, u"AcDbArc"_s, u"AcDbMText"_s}));
    EXPECT_EQ(ms.Item(1).Handle(), t.Handle());
    EXPECT_NE(line.Handle(), t.Handle());
    EXPECT_EQ(t.InsertionPoint(), (Point{1, 2, 0}));
    EXPECT_EQ(t.StyleName(), u"Standard"_s);
    EXPECT_EQ(t.Layer(), u"0"_s);
    EXPECT_EQ(t.Color(), 256);
    EXPECT_EQ(t.Linetype(), u"ByLayer"_s);
    EXPECT_EQ(arc.EndAngle(), M_PI / 2);
    EXPECT_EQ(mt.Width(), 170);
    EXPECT_EQ(document.Blocks().Item(0).Name(), u"*Model_Space"_s);
}

TEST_F(MemoryDrawing, HeightChangeKeepsTheWidthFactor) {
    Entity t = text(u"A"_s);
    t.ScaleFactor(0.7);
    t.Height(5);
    EXPECT_EQ(t.Height(), 5);
    EXPECT_EQ(t.ScaleFactor(), 0.7);
}

TEST_F(MemoryDrawing, RefusesWhatARealCadRefuses) {
    doc->addLayer(u"锁定"_s).locked = true;
    auto& style = doc->addTextStyle(u"仿宋"_s, u"fsdb.shx"_s, u"hztxt.shx"_s);
    Entity t = text(u"1"_s);
    Entity line = ms.AddLine({0, 0, 0}, {1, 0, 0});
    Entity circle = ms.AddCircle({0, 0, 0}, 1);
    Entity locked = text(u"2"_s);
    doc->findEntity(locked.Handle())->setValue(Member::Layer, u"锁定"_s);
    auto& inBlock = doc->addBlock(u"灯具"_s).append(doc->makeEntity(memory::kinds::text()));
    inBlock.setValue(Member::StyleName, style.name);
    document.SelectionSets().Add(u"SelPart"_s);
    document.Linetypes().Load(u"CENTER"_s, u"acad.lin"_s);

    const std::vector<std::pair<const char*, std::function<void()>>> refusals = {
        {"second selection set of a name", [&] { document.SelectionSets().Add(u"selpart"_s); }},
        {"zero text height", [&] { t.Height(0); }},
        {"negative text height", [&] { t.Height(-2.5); }},
        {"height that is no number", [&] { t.Height(std::nan("")); }},
        {"new text of zero height", [&] { ms.AddText(u"x"_s, {}, 0); }},
        {"circle of zero radius", [&] { ms.AddCircle({}, 0); }},
        {"arc of negative radius", [&] { ms.AddArc({}, -1, 0, 1); }},
        {"radius set to zero", [&] { circle.Radius(0); }},
        {"layer that does not exist", [&] { t.Layer(u"无此层"_s); }},
        {"linetype that does not exist", [&] { t.Linetype(u"NOSUCH"_s); }},
        {"text style that does not exist", [&] { t.StyleName(u"无此字型"_s); }},
        {"colour out of range", [&] { t.Color(257); }},
        {"change on a locked layer", [&] { locked.TextString(u"3"_s); }},
        {"move off a locked layer", [&] { locked.Layer(u"0"_s); }},
        {"erase on a locked layer", [&] { locked.Delete(); }},
        {"text member of a line", [&] { line.TextString(); }},
        {"linetype loaded twice", [&] { document.Linetypes().Load(u"center"_s, u"acad.lin"_s); }},
        {"linetype the file lacks", [&] { document.Linetypes().Load(u"NOSUCH"_s, u"acad.lin"_s); }},
        {"linetype from another file", [&] { document.Linetypes().Load(u"HIDDEN"_s, u"x.lin"_s); }},
        {"deleting the active style", [&] { document.ActiveTextStyle().Delete(); }},
        {"deleting a style in use in a block", [&] { document.TextStyles().Item(1).Delete(); }},
        {"item past the end", [&] { ms.Item(ms.Count()); }},
        {"layer named with a forbidden character", [&] { document.Layers().Add(u"a<b"_s); }},
        {"unknown system variable", [&] { document.GetVariable(u"NOSUCHVAR"_s); }},
    };
    for (const auto& [what, action] : refusals) {
        const qint64 changes = doc->changes();
        EXPECT_THROW(action(), Error) << what;
        EXPECT_EQ(doc->changes(), changes) << what;
    }
    EXPECT_EQ(locked.TextString(), u"2"_s);
    EXPECT_EQ(t.Height(), 2.5);
}

TEST_F(MemoryDrawing, AcceptsNamesInAnyCaseAndKeepsTheTableSpelling) {
    doc->addLayer(u"Power"_s);
    Entity t = text(u"1"_s);
    t.Layer(u"POWER"_s);
    EXPECT_EQ(t.Layer(), u"Power"_s);
    EXPECT_EQ(document.Layers().Add(u"power"_s).Name(), u"Power"_s);
    EXPECT_EQ(document.Layers().Count(), 2);
}

TEST_F(MemoryDrawing, DeletesAStyleNothingUses) {
    doc->addTextStyle(u"空闲"_s, u"txt.shx"_s, {});
    doc->addTextStyle(u"用于图纸空间"_s, u"txt.shx"_s, {});
    doc->paperSpace()
        .append(doc->makeEntity(memory::kinds::mtext()))
        .setValue(Member::StyleName, u"用于图纸空间"_s);
    TextStyles styles = document.TextStyles();
    ASSERT_EQ(styles.Count(), 3);
    TextStyle unused = styles.Item(1);
    unused.Delete();
    EXPECT_EQ(styles.Count(), 2);
    EXPECT_THROW(unused.Name(), Error);
    EXPECT_THROW(styles.Item(1).Delete(), Error);  // still used in paper space
}

TEST_F(MemoryDrawing, AnswersPicksFromTheScriptAndRecordsPrompts) {
    Entity a = text(u"a"_s);
    Entity b = text(u"b"_s);
    doc->paperSpace().append(doc->makeEntity(memory::kinds::line()));
    const QString paperHandle = doc->paperSpace().entities[0]->handleText();
    app->script().queuePoint({1, 2, 3});
    app->script().queueObjects({b.Handle(), u"FFFF"_s, paperHandle, a.Handle(), b.Handle()});
    app->script().queueCancel();
    app->script().queueCancel();

    Utility utility = document.Utility();
    EXPECT_EQ(utility.GetPoint(Point{5, 5, 0}, u"指定第一点: "_s), (Point{1, 2, 3}));
    SelectionSet set = document.SelectionSets().Add(u"SelPart"_s);
    set.SelectOnScreen();
    ASSERT_EQ(set.Count(), 2);  // unknown, paper-space and repeated picks left out
    EXPECT_EQ(set.Item(0).TextString(), u"b"_s);
    EXPECT_EQ(set.Item(1).TextString(), u"a"_s);
    EXPECT_THROW(utility.GetPoint(std::nullopt, u"插入点: "_s), Error);  // cancelled
    set.SelectOnScreen();  // cancelled: the set keeps what it had
    EXPECT_EQ(set.Count(), 2);

    EXPECT_EQ(app->script().prompts,
              (QStringList{u"指定第一点: "_s, u"选择对象:"_s, u"插入点: "_s, u"选择对象:"_s}));
    EXPECT_EQ(app->script().basePoints[0], (Point{5, 5, 0}));
    EXPECT_FALSE(app->script().basePoints[1].has_value());
    set.Delete();
    EXPECT_EQ(document.SelectionSets().Count(), 0);
    EXPECT_THROW(set.Count(), Error);
}

TEST_F(MemoryDrawing, FaultSwitchFailsExactlyTheNthCall) {
    Entity t = text(u"1"_s);
    app->failCall(3);
    EXPECT_NO_THROW(t.TextString());
    EXPECT_NO_THROW(t.Layer());
    EXPECT_THROW(t.Height(), Error);
    EXPECT_NO_THROW(t.Height());
}

TEST_F(MemoryDrawing, CountsUndoGroupsAndChangesOutsideThem) {
    {
        UndoGroup group(document);
        text(u"1"_s).TextString(u"2"_s);
        document.StartUndoMark();  // nested marks make one group
        text(u"3"_s);
        document.EndUndoMark();
    }
    EXPECT_EQ(doc->undoGroups(), 1);
    EXPECT_EQ(doc->changes(), 3);
    EXPECT_EQ(doc->changesOutsideUndoGroups(), 0);
    text(u"4"_s);
    EXPECT_EQ(doc->changesOutsideUndoGroups(), 1);
}

TEST_F(MemoryDrawing, KeepsSystemVariablesAndTheCurrentLayer) {
    document.SetVariable(u"modemacro"_s, u"正在数块..."_s);
    EXPECT_EQ(document.GetVariable(u"MODEMACRO"_s).toText(), u"正在数块..."_s);
    doc->addLayer(u"照明"_s);
    document.SetVariable(u"CLAYER"_s, u"照明"_s);
    EXPECT_EQ(text(u"x"_s).Layer(), u"照明"_s);
    EXPECT_THROW(document.SetVariable(u"CLAYER"_s, u"无此层"_s), Error);
}

TEST_F(MemoryDrawing, OtherKindsCarryTheCommonMembersOnly) {
    auto& poly = doc->modelSpace().append(doc->makeEntity(memory::kindByDxfName(u"LWPOLYLINE")));
    Entity e = ms.Item(0);
    EXPECT_EQ(e.EntityName(), u"AcDbPolyline"_s);
    EXPECT_EQ(e.Handle(), poly.handleText());
    e.Color(3);
    EXPECT_EQ(e.Color(), 3);
    EXPECT_THROW(e.TextString(), Error);
    EXPECT_EQ(memory::kindByDxfName(u"ACAD_PROXY_ENTITY").className, u"AcDbAcad_proxy_entity"_s);
}

TEST_F(MemoryDrawing, ClosedDocumentsAndAQuitApplicationRefuseEveryCall) {
    Entity t = text(u"1"_s);
    app->newDocument(u"Drawing2.dwg"_s);
    EXPECT_EQ(acad.Documents().Count(), 2);
    app->closeDocument(*doc);
    EXPECT_EQ(acad.Documents().Count(), 1);
    EXPECT_THROW(t.TextString(), Error);
    EXPECT_THROW(ms.Count(), Error);
    EXPECT_EQ(acad.ActiveDocument().Name(), u"Drawing2.dwg"_s);

    registerRunningObject(u"AutoCAD.Application"_s, app);
    app->quit();
    EXPECT_THROW(acad.Version(), Error);
    EXPECT_THROW(GetRunningApplication(u"AutoCAD.Application"_s), Error);
}

TEST_F(MemoryDrawing, ObjectsOutlivingTheirDrawingRefuseInsteadOfCrashing) {
    Entity t = text(u"1"_s);
    Layers layers = document.Layers();
    doc.reset();
    app.reset();
    document = Document();
    ms = ModelSpace();
    acad = Application();
    EXPECT_THROW(t.TextString(), Error);
    EXPECT_THROW(layers.Count(), Error);
}

}  // namespace
