// The drawing protocol on the fully given symbols, the buried cable, the signature entry, a
// cancelled pick and a failing call.
#include "drawing_fixture.h"
#include "support/qstring_printer.h"
#include "symbols/buried_cable.h"

namespace symbols::testing {
namespace {

using namespace Qt::StringLiterals;

// A primitive as the drawing holds it: kind, points (x, y), radius or height, and properties.
struct Placed {
    QString kind;
    double x1, y1, x2, y2;
    QString linetype = u"ByLayer"_s;
    int color = 256;
};

void expectLine(const cad::Entity& e, const Placed& want, const cad::Point& p) {
    SCOPED_TRACE(want.x1);
    EXPECT_EQ(e.EntityName(), u"AcDbLine"_s);
    EXPECT_NEAR(e.StartPoint().x, p.x + want.x1, 1e-9);
    EXPECT_NEAR(e.StartPoint().y, p.y + want.y1, 1e-9);
    EXPECT_NEAR(e.EndPoint().x, p.x + want.x2, 1e-9);
    EXPECT_NEAR(e.EndPoint().y, p.y + want.y2, 1e-9);
    EXPECT_EQ(e.Linetype(), want.linetype);
    EXPECT_EQ(e.Color(), want.color);
    EXPECT_EQ(e.LinetypeScale(), 1.0);
}

class SymbolDrawingTest : public DrawingFixture {
protected:
    std::vector<cad::Entity> entities() const {
        std::vector<cad::Entity> all;
        const cad::ModelSpace space = cad::Document(doc).ModelSpace();
        for (int i = 0; i < space.Count(); ++i) {
            all.push_back(space.Item(i));
        }
        return all;
    }
};

TEST_F(SymbolDrawingTest, EarthingDetailDrawsItsTwentyEightPrimitivesExactly) {
    const cad::Point p{10, 20, 0};
    app->script().queuePoint(p);
    draw(u"接地装置"_s);
    const auto all = entities();
    ASSERT_EQ(all.size(), 28u);

    const double circles[][2] = {{0, 30}, {-50, 30}, {50, 30}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(all[i].EntityName(), u"AcDbCircle"_s);
        EXPECT_EQ(all[i].Center(), (cad::Point{p.x + circles[i][0], p.y + circles[i][1], 0}));
        EXPECT_EQ(all[i].Radius(), 1.5);
    }
    const QString center = u"CENTER"_s;
    const Placed lines[] = {
        {{}, -48.500581, 30, -1.499419, 30, center},
        {{}, 1.499419, 30, 48.500581, 30, center},
        {{}, -44.262511, 29.290796, -42.848298, 30.705010},
        {{}, -25.586340, 29.290796, -24.172126, 30.705010},
        {{}, -6.761895, 29.290796, -5.347681, 30.705010},
        {{}, 5.737489, 29.290796, 7.151702, 30.705010},
        {{}, 24.413660, 29.290796, 25.827874, 30.705010},
        {{}, 43.238105, 29.290796, 44.652319, 30.705010},
        {{}, -53.746650, 39.626942, 53.947334, 39.626942},
        {{}, -50, 36.879425, -50, 44.978693},
        {{}, 0, 36.879425, 0, 44.978693},
        {{}, 50, 36.879425, 50, 44.978693},
        {{}, -50.707107, 38.919835, -49.292893, 40.334049},
        {{}, -0.707107, 38.919835, 0.707107, 40.334049},
        {{}, 49.292893, 38.919835, 50.707107, 40.334049},
        {{}, 57.583053, 30, 68.049669, 30},
        {{}, 57.583053, 0, 68.049669, 0},
        {{}, 63.852660, -5.393618, 63.852660, 33.627896},
        {{}, 64.530912, 29.310533, 63.116699, 30.724746},
        {{}, 64.530912, -0.689467, 63.116699, 0.724746},
    };
    for (int i = 0; i < 20; ++i) {
        expectLine(all[3 + i], lines[i], p);
    }
    const struct {
        QString text;
        double x, y, rotation;
    } texts[] = {{u"-40X4"_s, -27.444472, 32.190683, 0},
                 {u"R≤10Ω"_s, 21.765639, 32.736836, 0},
                 {u"5000"_s, -25.934280, 41.041350, 0},
                 {u"5000"_s, 24.065720, 41.041350, 0},
                 {u"≥3000"_s, 62.438251, 10.598975, 1.5707963}};
    for (int i = 0; i < 5; ++i) {
        const cad::Entity& t = all[23 + i];
        EXPECT_EQ(t.TextString(), texts[i].text);
        EXPECT_EQ(t.InsertionPoint(), (cad::Point{p.x + texts[i].x, p.y + texts[i].y, 0}));
        EXPECT_EQ(t.Height(), 3.5);
        EXPECT_EQ(t.ScaleFactor(), 0.8);
        EXPECT_EQ(t.Rotation(), texts[i].rotation);
    }
}

TEST_F(SymbolDrawingTest, EarthingDetailWithCenterAlreadyLoadedStillDrawsEverything) {
    cad::Document(doc).Linetypes().Load(u"CENTER"_s, u"acad.lin"_s);
    app->script().queuePoint({});
    draw(u"接地装置"_s);
    EXPECT_EQ(entities().size(), 28u);
}

TEST_F(SymbolDrawingTest, DirectCurrentBoxDrawsARedLineOverADashedOne) {
    const cad::Point p{-3, 7, 0};
    app->script().queuePoint(p);
    draw(u"直流箱屏"_s);
    const auto all = entities();
    ASSERT_EQ(all.size(), 6u);
    const Placed lines[] = {{{}, 2.5, 0, -2.5, 0},
                            {{}, 2.5, 3, -2.5, 3},
                            {{}, -2.5, 0, -2.5, 3},
                            {{}, 2.5, 0, 2.5, 3},
                            {{}, -1.5, 2, 1.5, 2, u"ByLayer"_s, 1},
                            {{}, -1.5, 1, 1.5, 1, u"HIDDEN"_s}};
    for (int i = 0; i < 6; ++i) {
        expectLine(all[i], lines[i], p);
    }
}

TEST_F(SymbolDrawingTest, AmmeterAtAGivenPointPutsTheLetterInTheCircleAndRefreshesOnlyTheCircle) {
    app->script().queuePoint({100, 200, 0});
    draw(u"电流表"_s);
    const auto all = entities();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].Center(), (cad::Point{100, 200, 0}));
    EXPECT_EQ(all[0].Radius(), 3.25);
    EXPECT_EQ(all[1].TextString(), u"A"_s);
    EXPECT_NEAR(all[1].InsertionPoint().x, 98.709977, 1e-9);
    EXPECT_NEAR(all[1].InsertionPoint().y, 198.463221, 1e-9);
    EXPECT_EQ(all[1].InsertionPoint().z, 0);
    EXPECT_EQ(all[1].Height(), 3.5);
    EXPECT_EQ(all[1].ScaleFactor(), 0.75);
    EXPECT_EQ(conversation(), (QStringList{u"GetPoint"_s, u"StartUndoMark"_s, u"ModelSpace"_s,
                                           u"AddCircle"_s, u"Update"_s, u"ModelSpace"_s,
                                           u"AddText"_s, u"ScaleFactor"_s, u"EndUndoMark"_s}));
}

TEST_F(SymbolDrawingTest, MetersDifferOnlyInTheirTexts) {
    const struct {
        QString name, text;
        double x, y, widthFactor;
    } meters[] = {{u"电压表"_s, u"V"_s, -1.290023, -1.536779, 0.75},
                  {u"功率表"_s, u"W"_s, -1.561370, -1.931100, 0.75},
                  {u"频率表"_s, u"Hz"_s, -2.387781, -1.763692, 0.75},
                  {u"功率因数表"_s, u"COS%%c"_s, -2.698958, -1.677542, 0.4}};
    for (const auto& m : meters) {
        SCOPED_TRACE(m.name.toStdString());
        const Symbol* s = findSymbol(m.name);
        ASSERT_EQ(s->primitives.size(), 2u);
        EXPECT_EQ(std::get<Circle>(s->primitives[0]).radius, 3.25);
        const Text& t = std::get<Text>(s->primitives[1]);
        EXPECT_EQ(t.text, m.text);
        EXPECT_EQ(t.at, QPointF(m.x, m.y));
        EXPECT_EQ(t.widthFactor, m.widthFactor);
    }
}

struct CableCase {
    const char* what;
    cad::Point start, end;
    cad::Point dashedStart, dashedEnd;
};

class BuriedCableTest : public DrawingFixture, public ::testing::WithParamInterface<CableCase> {};

TEST_P(BuriedCableTest, DrawsTheRedCableAndADashedLineOneToItsLeft) {
    const CableCase& c = GetParam();
    app->script().queuePoint(c.start);
    app->script().queuePoint(c.end);
    draw(u"嵌埋电缆"_s);

    EXPECT_EQ(app->script().prompts, (QStringList{u"选择电缆起点: "_s, u"选择电缆终点: "_s}));
    const Drawn d = drawn();
    ASSERT_EQ(d.total, 2);
    EXPECT_EQ(d.lines[0].StartPoint(), c.start);
    EXPECT_EQ(d.lines[0].EndPoint(), c.end);
    EXPECT_EQ(d.lines[0].Color(), 1);
    EXPECT_EQ(d.lines[0].Linetype(), u"ByLayer"_s);
    const cad::Point s = d.lines[1].StartPoint();
    const cad::Point e = d.lines[1].EndPoint();
    EXPECT_NEAR(s.x, c.dashedStart.x, 1e-12);
    EXPECT_NEAR(s.y, c.dashedStart.y, 1e-12);
    EXPECT_EQ(s.z, c.dashedStart.z);
    EXPECT_NEAR(e.x, c.dashedEnd.x, 1e-12);
    EXPECT_NEAR(e.y, c.dashedEnd.y, 1e-12);
    EXPECT_EQ(e.z, c.dashedEnd.z);
    EXPECT_EQ(d.lines[1].Linetype(), u"HIDDEN"_s);
    EXPECT_EQ(d.lines[1].Color(), 0);
    EXPECT_EQ(
        conversation(),
        (QStringList{u"Load"_s, u"GetPoint"_s, u"GetPoint"_s, u"StartUndoMark"_s, u"ModelSpace"_s,
                     u"AddLine"_s, u"Color"_s, u"Update"_s, u"ModelSpace"_s, u"AddLine"_s,
                     u"Linetype"_s, u"Color"_s, u"Update"_s, u"EndUndoMark"_s}));
}

INSTANTIATE_TEST_SUITE_P(
    FiveWays, BuriedCableTest,
    ::testing::Values(CableCase{"Rightwards", {0, 0, 0}, {10, 0, 0}, {0, 1, 0}, {10, 1, 0}},
                      CableCase{"Leftwards", {10, 0, 0}, {0, 0, 0}, {10, -1, 0}, {0, -1, 0}},
                      CableCase{"Upwards", {0, 0, 0}, {0, 10, 0}, {-1, 0, 0}, {-1, 10, 0}},
                      CableCase{"Slanting", {0, 0, 0}, {3, 4, 0}, {-0.8, 0.6, 0}, {2.2, 4.6, 0}},
                      CableCase{"SamePoint", {2, 3, 4}, {2, 3, 4}, {2, 4, 4}, {2, 4, 4}}),
    [](const ::testing::TestParamInfo<CableCase>& info) { return std::string(info.param.what); });

TEST(CableOffsetTest, PointsLeftOfTheWayInEveryQuadrant) {
    const struct {
        QPointF end, offset;
    } cases[] = {{{10, 0}, {0, 1}},       {{-10, 0}, {0, -1}},     {{0, -10}, {1, 0}},
                 {{0, 10}, {-1, 0}},      {{3, 4}, {-0.8, 0.6}},   {{3, -4}, {0.8, 0.6}},
                 {{-3, 4}, {-0.8, -0.6}}, {{-3, -4}, {0.8, -0.6}}, {{0, 0}, {0, 1}}};
    for (const auto& c : cases) {
        const QPointF o = cableOffset({0, 0}, c.end);
        EXPECT_NEAR(o.x(), c.offset.x(), 1e-12) << c.end.x() << "," << c.end.y();
        EXPECT_NEAR(o.y(), c.offset.y(), 1e-12) << c.end.x() << "," << c.end.y();
    }
}

TEST_F(SymbolDrawingTest, SignatureAsksNothingAndDrawsNothing) {
    draw(u"签名"_s);
    EXPECT_TRUE(app->script().prompts.isEmpty());
    EXPECT_TRUE(conversation().isEmpty());
    EXPECT_EQ(drawn().total, 0);
}

TEST_F(SymbolDrawingTest, CancelledPickAddsNothingButKeepsTheLoadedLinetype) {
    app->script().queueCancel();
    EXPECT_THROW(draw(u"直流箱屏"_s), cad::Error);
    EXPECT_EQ(drawn().total, 0);
    EXPECT_NE(doc->findLinetype(u"HIDDEN"), nullptr);
    EXPECT_EQ(doc->undoGroups(), 0);
}

TEST_F(SymbolDrawingTest, CancellingEitherCableEndDrawsNothing) {
    app->script().queueCancel();
    EXPECT_THROW(draw(u"嵌埋电缆"_s), cad::Error);
    app->script().queuePoint({});
    app->script().queueCancel();
    EXPECT_THROW(draw(u"嵌埋电缆"_s), cad::Error);
    EXPECT_EQ(drawn().total, 0);
    EXPECT_EQ(doc->undoGroups(), 0);
}

TEST_F(SymbolDrawingTest, FailingCallStopsAtOnceKeepingWhatWasDrawnInOneClosedUndoStep) {
    app->script().queuePoint({});
    app->failCall(10);  // past the pick, before the fourth box line
    EXPECT_THROW(draw(u"一般箱屏"_s), cad::Error);
    EXPECT_GE(drawn().total, 1);
    EXPECT_LT(drawn().total, 4);
    EXPECT_EQ(doc->undoDepth(), 0);
    EXPECT_EQ(doc->undoGroups(), 1);
}

}  // namespace
}  // namespace symbols::testing
