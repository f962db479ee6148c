// The scene: colours, block references, linetypes, curves and where texts go.
#include <gtest/gtest.h>

#include <QLineF>
#include <cmath>
#include <numbers>

#include "cad/memory/document.h"
#include "core/mtext_format.h"
#include "drawing_builder.h"
#include "sketchcad/aci_colors.h"
#include "sketchcad/curves.h"
#include "sketchcad/dash_pattern.h"
#include "sketchcad/scene.h"
#include "sketchcad/text_font.h"
#include "sketchcad/text_layout.h"
#include "support/qstring_printer.h"

namespace sketchcad {
namespace {

using namespace Qt::StringLiterals;
using cad::Member;
using cad::Point;
using sketchcad_test::TestDrawing;
namespace kinds = cad::memory::kinds;

constexpr double kPi = std::numbers::pi;

// Every character half a text height wide: placements become easy to reckon.
const Measure kHalfWidth = [](QStringView t) { return 0.5 * double(t.size()); };

::testing::AssertionResult near(QPointF a, QPointF b, double tolerance = 1e-9) {
    if (QLineF(a, b).length() <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "(" << a.x() << ", " << a.y() << ") is not (" << b.x() << ", " << b.y() << ")";
}

TEST(AciColors, BasicHuesShadesAndGreysHaveTheirStandardValues) {
    const std::pair<int, quint32> table[] = {
        {1, 0xFF0000},   {2, 0xFFFF00},   {3, 0x00FF00},   {5, 0x0000FF},  {7, 0xFFFFFF},
        {8, 0x808080},   {10, 0xFF0000},  {11, 0xFF7F7F},  {12, 0xCC0000}, {13, 0xCC6666},
        {21, 0xFF9F7F},  {30, 0xFF7F00},  {40, 0xFFBF00},  {50, 0xFFFF00}, {130, 0x00FFFF},
        {170, 0x0000FF}, {250, 0x333333}, {255, 0xFFFFFF},
    };
    for (const auto& [index, rgb] : table) {
        EXPECT_EQ(aciRgb(index), rgb) << "index " << index;
    }
}

TEST(AciColors, ByLayerTakesTheLayersAndByBlockTheEnclosingReferences) {
    EXPECT_EQ(resolveColor(kByLayer, 3, 7), 3);
    EXPECT_EQ(resolveColor(kByLayer, -4, 7), 4);  // a layer that is off keeps its colour
    EXPECT_EQ(resolveColor(kByBlock, 3, 1), 1);
    EXPECT_EQ(resolveColor(kByBlock, 3, kByBlock), 7);
    EXPECT_EQ(resolveColor(6, 3, 1), 6);
}

class SceneOf : public ::testing::Test {
protected:
    Scene build() const { return Scene::build(*drawing.doc, font); }
    // The points of the item's first stroke.
    static std::vector<QPointF> strokePoints(const Scene& s, int item, int stroke = 0) {
        const Stroke& st = s.strokes[s.items[item].strokeBegin + stroke];
        return {s.points.begin() + st.first, s.points.begin() + st.first + st.count};
    }

    TestDrawing drawing;
    TextFont font;
};

TEST_F(SceneOf, EntityColoursResolveByLayerAndByBlockThroughReferences) {
    auto& red = drawing.doc->addLayer(u"RED"_s);
    red.color = 1;
    auto& block = drawing.doc->addBlock(u"B"_s);
    drawing.add(kinds::line(), {{Member::Color, 0}, {Member::EndPoint, Point{1, 0, 0}}}, &block);
    drawing.add(kinds::line(), {{Member::Layer, u"0"_s}, {Member::EndPoint, Point{1, 1, 0}}},
                &block);
    drawing.add(kinds::line(), {{Member::Color, 3}, {Member::EndPoint, Point{0, 1, 0}}}, &block);
    drawing.line(0, 0, 5, 5, {{Member::Layer, u"RED"_s}});
    drawing.add(kinds::insert(), {{Member::Name, u"B"_s}, {Member::Color, 5}});
    drawing.add(kinds::insert(), {{Member::Name, u"B"_s}, {Member::Layer, u"RED"_s}});
    const Scene s = build();
    ASSERT_EQ(s.items.size(), 3u);
    EXPECT_EQ(s.strokes[s.items[0].strokeBegin].rgb, aciRgb(1));
    const auto colors = [&](int item) {
        std::vector<quint32> c;
        for (quint32 i = s.items[item].strokeBegin; i < s.items[item].strokeEnd; ++i) {
            c.push_back(s.strokes[i].rgb);
        }
        return c;
    };
    // By block: the reference's blue; layer 0 inside: the reference's layer (white); own green.
    EXPECT_EQ(colors(1), (std::vector<quint32>{aciRgb(5), aciRgb(7), aciRgb(3)}));
    // By block on a by-layer reference: its layer's red; layer 0 inside: red as well.
    EXPECT_EQ(colors(2), (std::vector<quint32>{aciRgb(1), aciRgb(1), aciRgb(3)}));
}

TEST_F(SceneOf, BlockReferencesPlaceTheirBlockScaledRotatedAndNested) {
    auto& inner = drawing.doc->addBlock(u"INNER"_s);
    drawing.add(kinds::line(), {{Member::EndPoint, Point{1, 0, 0}}}, &inner);
    auto& outer = drawing.doc->addBlock(u"OUTER"_s);
    outer.basePoint = Point{1, 1, 0};
    drawing.add(kinds::insert(),
                {{Member::Name, u"INNER"_s},
                 {Member::InsertionPoint, Point{1, 1, 0}},
                 {Member::XScaleFactor, 2.0}},
                &outer);
    drawing.add(kinds::insert(), {{Member::Name, u"OUTER"_s},
                                  {Member::InsertionPoint, Point{10, 10, 0}},
                                  {Member::XScaleFactor, 3.0},
                                  {Member::YScaleFactor, 3.0},
                                  {Member::Rotation, kPi / 2}});
    const Scene s = build();
    const auto pts = strokePoints(s, 0);
    ASSERT_EQ(pts.size(), 2u);
    // (0,0)-(1,0) in INNER: doubled along x at OUTER's base point, so (0,0)-(2,0) in OUTER's
    // terms; tripled and turned a quarter at (10,10).
    EXPECT_TRUE(near(pts[0], QPointF(10, 10)));
    EXPECT_TRUE(near(pts[1], QPointF(10, 16)));
    EXPECT_TRUE(near(s.snaps[s.items[0].snapBegin], QPointF(10, 10)));
}

TEST_F(SceneOf, ABlockThatContainsItselfIsDrawnToALimitedDepth) {
    auto& block = drawing.doc->addBlock(u"LOOP"_s);
    drawing.add(kinds::line(), {{Member::EndPoint, Point{1, 0, 0}}}, &block);
    drawing.add(kinds::insert(), {{Member::Name, u"LOOP"_s}}, &block);
    drawing.add(kinds::insert(), {{Member::Name, u"LOOP"_s}});
    const Scene s = build();
    EXPECT_GT(s.strokes.size(), 1u);
    EXPECT_LT(s.strokes.size(), 100u);
}

TEST_F(SceneOf, LinesInADashedLinetypeGetDashesScaledByLtscaleAndTheirOwnScale) {
    auto& dashed = drawing.doc->addLinetype(u"DASHED2"_s);
    dashed.pattern = {5, -5};
    drawing.doc->defineVariable(u"LTSCALE"_s, 2.0);
    drawing.line(0, 0, 100, 0, {{Member::Linetype, u"DASHED2"_s}, {Member::LinetypeScale, 0.5}});
    drawing.line(0, 10, 100, 10);
    const Scene s = build();
    const Stroke& a = s.strokes[s.items[0].strokeBegin];
    EXPECT_FLOAT_EQ(a.period, 10);
    ASSERT_GE(a.pattern, 0);
    EXPECT_EQ(s.patterns[a.pattern], (std::vector<double>{5, -5}));
    EXPECT_EQ(s.strokes[s.items[1].strokeBegin].pattern, -1);
}

TEST_F(SceneOf, PaperSpaceIsShownWhileALayoutIsCurrent) {
    drawing.line(0, 0, 1, 1);
    drawing.add(kinds::circle(), {{Member::Radius, 3.0}}, &drawing.doc->paperSpace());
    EXPECT_EQ(&build().items[0].entity->kind(), &kinds::line());
    drawing.doc->defineVariable(u"TILEMODE"_s, 0);
    EXPECT_EQ(&build().items[0].entity->kind(), &kinds::circle());
}

TEST_F(SceneOf, EntitiesOnALayerThatIsOffAreNotDrawn) {
    drawing.doc->addLayer(u"OFF"_s).color = -2;
    drawing.line(0, 0, 1, 1, {{Member::Layer, u"OFF"_s}});
    const Scene s = build();
    ASSERT_EQ(s.items.size(), 1u);
    EXPECT_EQ(s.items[0].strokeBegin, s.items[0].strokeEnd);
    EXPECT_TRUE(s.extents.isEmpty());
}

TEST_F(SceneOf, TextsGetABoxFromTheirPlacementAndHeight) {
    drawing.add(kinds::text(), {{Member::TextString, u"ABCD"_s},
                                {Member::InsertionPoint, Point{10, 20, 0}},
                                {Member::Height, 5.0}});
    const Scene s = build();
    ASSERT_EQ(s.texts.size(), 1u);
    const auto c = s.texts[0].corners();
    EXPECT_TRUE(near(c[0], QPointF(10, 20 - kDescent * 5)));
    EXPECT_NEAR(c[3].y(), 25, 1e-9);
    EXPECT_NEAR(c[1].x() - 10, 5 * font.measure(u"ABCD"), 1e-9);
}

TEST(Curves, ArcsRunCounterClockwiseFromStartToEndAngleAlsoAcrossZero) {
    const auto pts = arcPoints(QPointF(0, 0), 10, 350 * kPi / 180, 10 * kPi / 180);
    ASSERT_GE(pts.size(), 4u);
    EXPECT_TRUE(
        near(pts.front(), QPointF(10 * std::cos(-10 * kPi / 180), 10 * std::sin(-10 * kPi / 180))));
    EXPECT_TRUE(
        near(pts.back(), QPointF(10 * std::cos(10 * kPi / 180), 10 * std::sin(10 * kPi / 180))));
    for (const QPointF& p : pts) {
        EXPECT_NEAR(std::hypot(p.x(), p.y()), 10, 1e-9);
        EXPECT_GT(p.x(), 9.8);  // the short way round, never through the far side
    }
    const auto circle = circlePoints(QPointF(5, 5), 2);
    EXPECT_TRUE(near(circle.front(), circle.back()));
}

TEST(Curves, SplinesPassThroughEveryFitPoint) {
    const std::vector<QPointF> fit = {{0, 0}, {10, 5}, {20, -5}, {30, 0}};
    const auto pts = splineThroughFitPoints(fit, 8);
    ASSERT_EQ(pts.size(), 3u * 8 + 1);
    for (std::size_t i = 0; i < fit.size(); ++i) {
        EXPECT_TRUE(near(pts[i * 8], fit[i])) << "fit point " << i;
    }
    // Between the fit points the curve bends, not a straight chord.
    EXPECT_GT(pts[4].y(), 2.5);
}

TEST(Curves, SplinesFromControlPointsFollowTheirPolygonAndWeights) {
    const std::vector<QPointF> control = {{0, 0}, {10, 10}, {20, 0}};
    // Degree 1: the control polygon itself.
    const auto polygon = splineThroughControlPoints(1, {0, 0, 1, 2, 2}, control, {}, 2);
    ASSERT_FALSE(polygon.empty());
    EXPECT_TRUE(near(polygon.front(), control[0]));
    EXPECT_TRUE(near(polygon.back(), control[2]));
    EXPECT_TRUE(near(polygon[polygon.size() / 2], control[1]));
    // A quadratic Bezier: the middle is a quarter, a half and a quarter of the three points; a
    // heavier middle weight pulls the curve towards its control point.
    const auto bezier = splineThroughControlPoints(2, {0, 0, 0, 1, 1, 1}, control, {}, 2);
    ASSERT_EQ(bezier.size(), 7u);
    EXPECT_TRUE(near(bezier[3], QPointF(10, 5)));
    const auto pulled = splineThroughControlPoints(2, {0, 0, 0, 1, 1, 1}, control, {1, 3, 1}, 2);
    EXPECT_NEAR(pulled[3].y(), 7.5, 1e-9);
    EXPECT_TRUE(splineThroughControlPoints(3, {0, 1}, control, {}).empty());  // knots missing
}

struct DashCase {
    std::vector<double> linetype;
    QVector<qreal> pattern;  // at 2 pixels a unit
    qreal offset;
};

TEST(PenDashes, LinetypesBecomeDashGapPairsThatStartWhereTheLinetypeDoes) {
    const DashCase cases[] = {
        {{5, -5}, {10, 10}, 0},      {{3, -1, 0, -1}, {6, 2, 1, 2}, 0},  // a dot is one pixel
        {{-2, 4}, {8, 4}, 8},                                            // begins with the gap
        {{2, -1, 1}, {6, 2}, 2},      // the last dash runs on into the first
        {{1, 1, -1, -1}, {4, 4}, 0},  // neighbours of one kind join
    };
    for (const auto& c : cases) {
        const auto dashes = penDashes(c.linetype, 2);
        ASSERT_TRUE(dashes.has_value());
        EXPECT_EQ(dashes->pattern, c.pattern);
        EXPECT_DOUBLE_EQ(dashes->offset, c.offset);
    }
    EXPECT_FALSE(penDashes({5}, 2).has_value());  // no gap: continuous
    EXPECT_FALSE(penDashes({-5}, 2).has_value());
}

struct AlignmentCase {
    int horizontal;
    int vertical;
    QPointF origin;  // of "ABCD" (width 2 at height 1, so 4 at height 2) anchored at (10, 10)
};

TEST(SingleLineTextPlacement, EachAlignmentPutsTheBaselineWhereItsAnchorSays) {
    const AlignmentCase cases[] = {
        {0, 0, {10, 10}},                 // left on the baseline at the insertion point
        {1, 0, {8, 10}},                  // centre
        {2, 0, {6, 10}},                  // right
        {4, 0, {8, 9}},                   // middle: centred both ways
        {0, 1, {10, 10 + kDescent * 2}},  // bottom: the descender line on the anchor
        {0, 2, {10, 9}},                  // middle of the capitals
        {2, 3, {6, 8}},                   // top right
    };
    for (const auto& c : cases) {
        SingleLineText t;
        t.text = u"ABCD"_s;
        t.insertion = c.horizontal == 0 && c.vertical == 0 ? QPointF(10, 10) : QPointF(-99, -99);
        t.alignment = QPointF(10, 10);
        t.height = 2;
        t.horizontal = c.horizontal;
        t.vertical = c.vertical;
        const PlacedLine line = placeSingleLine(t, kHalfWidth);
        EXPECT_TRUE(near(line.origin, c.origin)) << c.horizontal << "/" << c.vertical;
        EXPECT_DOUBLE_EQ(line.width, 4);
    }
}

TEST(SingleLineTextPlacement, RotationAndWidthFactorTurnAndStretchTheOffset) {
    SingleLineText t;
    t.text = u"ABCD"_s;
    t.alignment = QPointF(10, 10);
    t.height = 2;
    t.widthFactor = 0.5;
    t.rotation = kPi / 2;
    t.horizontal = 2;
    const PlacedLine line = placeSingleLine(t, kHalfWidth);
    EXPECT_DOUBLE_EQ(line.width, 2);
    EXPECT_TRUE(near(line.origin, QPointF(10, 8)));
}

TEST(SingleLineTextPlacement, AlignedScalesTheHeightAndFitTheWidthBetweenTheTwoPoints) {
    SingleLineText t;
    t.text = u"ABCD"_s;
    t.insertion = QPointF(0, 0);
    t.alignment = QPointF(0, 8);
    t.height = 2;
    t.horizontal = 3;
    PlacedLine aligned = placeSingleLine(t, kHalfWidth);
    EXPECT_DOUBLE_EQ(aligned.height, 4);
    EXPECT_DOUBLE_EQ(aligned.rotation, kPi / 2);
    EXPECT_DOUBLE_EQ(aligned.width, 8);
    t.horizontal = 5;
    PlacedLine fit = placeSingleLine(t, kHalfWidth);
    EXPECT_DOUBLE_EQ(fit.height, 2);
    EXPECT_DOUBLE_EQ(fit.widthFactor, 2);
    EXPECT_DOUBLE_EQ(fit.width, 8);
}

TEST(SingleLineTextPlacement, ControlCodesShowTheirSymbols) {
    EXPECT_EQ(plainSingleLine(u"%%c20 45%%d %%p0.5 100%%% %%uU"_s), u"⌀20 45° ±0.5 100% U"_s);
}

TEST(MultilineText, FormattingCodesAreStrippedAndParagraphsSplit) {
    EXPECT_EQ(mtextParagraphs(u"\\A1;{\\fSimSun|b0;说明}\\P1.\\~{\\C1;红}\\Sa^b;\\\\x\\U+4E2D"_s),
              (QStringList{u"说明"_s, u"1. 红a/b\\x中"_s}));
    EXPECT_EQ(mtextParagraphs(u"\\LUnder\\l \\H2.5x;big"_s), QStringList{u"Under big"_s});
}

TEST(MultilineText, DegreePlusMinusAndDiameterCodesShowTheirSymbolsInAnyCase) {
    const std::pair<QString, QString> table[] = {
        {u"45%%D"_s, u"45°"_s},
        {u"%%p0.5\\P%%C20"_s, u"±0.5|⌀20"_s},
        {u"{\\H2x;%%d}"_s, u"°"_s},
        // Underline, overline and the percent sign are single-line codes only.
        {u"%%uA%%%"_s, u"%%uA%%%"_s},
    };
    for (const auto& [text, shown] : table) {
        EXPECT_EQ(mtextParagraphs(text).join(u'|'), shown) << text.toStdString();
    }
}

TEST(MultilineText, ParagraphsWrapAtSpacesAndBetweenChineseCharacters) {
    EXPECT_EQ(wrapParagraph(u"aa bb cc"_s, 2.6, kHalfWidth), (QStringList{u"aa bb"_s, u"cc"_s}));
    EXPECT_EQ(wrapParagraph(u"灯具开关插座"_s, 1.0, kHalfWidth),
              (QStringList{u"灯具"_s, u"开关"_s, u"插座"_s}));
    EXPECT_EQ(wrapParagraph(u"averyverylongword x"_s, 1.0, kHalfWidth),
              (QStringList{u"averyverylongword"_s, u"x"_s}));
}

TEST(MultilineText, AttachmentPlacesTheBlockOfLinesAroundTheInsertionPoint) {
    MultilineText t;
    t.text = u"ab\\Pabcd"_s;
    t.insertion = QPointF(0, 0);
    t.height = 3;
    t.attachment = 9;  // bottom right
    const auto lines = placeMultiline(t, kHalfWidth);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(near(lines[1].origin, QPointF(-6, 0)));  // the last line sits on the point
    EXPECT_TRUE(near(lines[0].origin, QPointF(-3, core::kMtextLineSpacing * 3)));
    t.attachment = 1;  // top left: the first line's capitals hang from the point
    const auto top = placeMultiline(t, kHalfWidth);
    EXPECT_TRUE(near(top[0].origin, QPointF(0, -3)));
}

}  // namespace
}  // namespace sketchcad
