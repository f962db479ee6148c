// How entities read from a loaded file look: filled hatches, solids and wide polylines, true
// colours, slanted texts, and entities placed through their own coordinate system.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <numbers>

#include "cad/memory/document.h"
#include "dxf/drawing.h"
#include "sketchcad/aci_colors.h"
#include "sketchcad/drawing_view.h"
#include "sketchcad/hit_test.h"
#include "sketchcad/scene.h"

namespace sketchcad {
namespace {

using namespace Qt::StringLiterals;

// "code value" lines turned into DXF text: a record per line starting with 0 reads as it would
// in the file.
QByteArray tags(const QByteArray& lines) {
    QByteArray text;
    for (const QByteArray& line : lines.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty()) {
            continue;
        }
        const qsizetype space = trimmed.indexOf(' ');
        text += trimmed.left(space) + '\n' + trimmed.mid(space + 1).trimmed() + '\n';
    }
    return text;
}

QByteArray section(const char* name, const QByteArray& body) {
    return tags("0 SECTION") + "2\n" + name + "\n" + body + tags("0 ENDSEC");
}

// A layer TC with the true colour 0xFF8000 beside its colour number 1, and a frozen layer.
const QByteArray kLayers =
    section("TABLES", tags("0 TABLE\n 2 LAYER\n 70 2\n"
                           "0 LAYER\n 2 TC\n 70 0\n 62 1\n 420 16744448\n 6 CONTINUOUS\n"
                           "0 LAYER\n 2 FROZEN\n 70 1\n 62 3\n 6 CONTINUOUS\n 0 ENDTAB"));

// A block of a line left to the reference's colour.
const QByteArray kBlocks =
    section("BLOCKS", tags("0 BLOCK\n 8 0\n 2 DOT\n 70 0\n 10 0\n 20 0\n"
                           "0 LINE\n 8 0\n 62 0\n 10 0\n 20 0\n 11 5\n 21 0\n 0 ENDBLK\n 8 0"));

class FileAppearance : public ::testing::Test {
protected:
    Scene load(const QByteArray& entities, const QByteArray& before = kLayers + kBlocks) {
        const QByteArray bytes = before + section("ENTITIES", tags(entities)) + tags("0 EOF");
        auto doc = dxf::loadDrawingBytes(*app, bytes, u"look.dxf"_s);
        EXPECT_TRUE(doc.ok()) << (doc.ok() ? "" : doc.error().toString().toStdString());
        if (!doc.ok()) {
            return Scene();
        }
        loaded = doc.value();
        return Scene::build(*loaded, font);
    }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> loaded;
    TextFont font;
};

// A 20 by 20 square hatch of the pattern, fill flag and island style, with square islands
// from..to inside.
QByteArray squareHatch(const char* pattern, int solid, int style,
                       std::initializer_list<std::pair<int, int>> islands = {}) {
    auto square = [](int flags, int from, int to) {
        return u" 92 %1\n 72 0\n 73 1\n 93 4\n 10 %2\n 20 %2\n 10 %3\n 20 %2\n 10 %3\n 20 %3\n"
               u" 10 %2\n 20 %3\n 97 0\n"_s.arg(flags)
                   .arg(from)
                   .arg(to);
    };
    QString text =
        u"0 HATCH\n 8 0\n 100 AcDbHatch\n 10 0\n 20 0\n 30 0\n 2 %1\n 70 %2\n 71 0\n"
        u" 91 %3\n"_s.arg(QLatin1StringView(pattern))
            .arg(solid)
            .arg(islands.size() + 1);
    text += square(3, 0, 20);  // a polyline path, external
    for (const auto& [from, to] : islands) {
        text += square(2 | 16, from, to);
    }
    return (text + u" 75 %1\n 76 1\n 98 0"_s.arg(style)).toLatin1();
}

TEST_F(FileAppearance, SolidAreasAreFilledWithIslandsAsHolesAndPatternHatchesStayOutlines) {
    struct Case {
        const char* what;
        QByteArray entities;
        QPointF probe;  // well away from every outline
        bool filled;
    };
    const Case cases[] = {
        {"solid hatch", squareHatch("SOLID", 1, 0), {10, 10}, true},
        {"hatch named SOLID", squareHatch("SOLID", 0, 0), {10, 10}, true},
        {"pattern hatch", squareHatch("ANSI31", 0, 0), {10, 10}, false},
        {"island is a hole", squareHatch("SOLID", 1, 0, {{5, 15}}), {10, 10}, false},
        {"outside the island", squareHatch("SOLID", 1, 0, {{5, 15}}), {2, 2}, true},
        {"island in an island", squareHatch("SOLID", 1, 0, {{5, 15}, {8, 12}}), {10, 10}, true},
        {"style ignoring islands", squareHatch("SOLID", 1, 2, {{5, 15}}), {10, 10}, true},
        {"2D solid",
         "0 SOLID\n 8 0\n 10 0\n 20 0\n 11 20\n 21 0\n 12 0\n 22 20\n 13 20\n 23 20",
         {10, 10},
         true},
        {"3D face",
         "0 3DFACE\n 8 0\n 10 0\n 20 0\n 11 20\n 21 0\n 12 20\n 22 20\n 13 0\n 23 20",
         {10, 10},
         false},
        {"polyline of constant width",
         "0 LWPOLYLINE\n 8 0\n 90 2\n 70 0\n 43 4\n 10 0\n 20 0\n 10 20\n 20 0",
         {10, 1.5},
         true},
        {"beyond its half width",
         "0 LWPOLYLINE\n 8 0\n 90 2\n 70 0\n 43 4\n 10 0\n 20 0\n 10 20\n 20 0",
         {10, 2.5},
         false},
        {"wide start of a taper",
         "0 LWPOLYLINE\n 8 0\n 90 2\n 70 0\n 10 0\n 20 0\n 40 4\n 41 0\n 10 20\n 20 0",
         {2, 1.5},
         true},
        {"narrow end of a taper",
         "0 LWPOLYLINE\n 8 0\n 90 2\n 70 0\n 10 0\n 20 0\n 40 4\n 41 0\n 10 20\n 20 0",
         {18, 1.5},
         false},
        {"ring of a donut",
         "0 LWPOLYLINE\n 8 0\n 90 2\n 70 1\n 43 2\n 10 0\n 20 0\n 42 1\n 10 10\n 20 0\n 42 1",
         {5, 4.5},
         true},
        {"hole of a donut",
         "0 LWPOLYLINE\n 8 0\n 90 2\n 70 1\n 43 2\n 10 0\n 20 0\n 42 1\n 10 10\n 20 0\n 42 1",
         {5, 0},
         false},
        {"corner of a wide frame",
         "0 LWPOLYLINE\n 8 0\n 90 3\n 70 0\n 43 4\n 10 0\n 20 0\n 10 20\n 20 0\n 10 20\n 20 20",
         {21.8, -1.8},
         true},
    };
    for (const Case& c : cases) {
        const Scene s = load(c.entities);
        ASSERT_EQ(s.items.size(), 1u) << c.what;
        EXPECT_EQ(itemAt(s, c.probe, 0.01) == 0, c.filled) << c.what;
    }
}

TEST_F(FileAppearance, PatternLinesAreClippedToTheBoundaryAndDashedFromTheirOrigin) {
    struct Case {
        const char* what;
        const char* pattern;  // the line family's tags
        std::initializer_list<std::pair<int, int>> islands;
        double y;  // a line of the family
        std::vector<std::pair<double, double>> dashes;
    };
    const Case cases[] = {
        {"continuous", "53 0\n 43 0\n 44 0\n 45 0\n 46 5\n 79 0", {}, 10, {{0, 20}}},
        {"around an island",
         "53 0\n 43 0\n 44 0\n 45 0\n 46 5\n 79 0",
         {{5, 15}},
         10,
         {{0, 5}, {15, 20}}},
        {"dashed",
         "53 0\n 43 0\n 44 0\n 45 0\n 46 5\n 79 2\n 49 3\n 49 -2",
         {},
         10,
         {{0, 3}, {5, 8}, {10, 13}, {15, 18}}},
        // Each line starts its dashes one unit further along than the one below.
        {"shifted from line to line",
         "53 0\n 43 0\n 44 0\n 45 1\n 46 5\n 79 2\n 49 3\n 49 -2",
         {},
         5,
         {{1, 4}, {6, 9}, {11, 14}, {16, 19}}},
    };
    for (const Case& c : cases) {
        QByteArray hatch = squareHatch("USER", 0, 0, c.islands);
        hatch.replace("98 0", QByteArray("52 0\n 41 1\n 77 0\n 78 1\n ") + c.pattern + "\n 98 0");
        const Scene s = load(hatch);
        std::vector<std::pair<double, double>> found;
        for (const Stroke& st : s.strokes) {
            const QPointF* p = s.points.data() + st.first;
            if (st.count == 2 && p[0].y() == c.y && p[1].y() == c.y) {
                found.emplace_back(std::min(p[0].x(), p[1].x()), std::max(p[0].x(), p[1].x()));
            }
        }
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, c.dashes) << c.what;
    }
}

TEST_F(FileAppearance, TheViewPaintsAFilledHatchInItsColour) {
    const Scene s = load(
        "0 HATCH\n 8 0\n 62 3\n 100 AcDbHatch\n 10 0\n 20 0\n 30 0\n 2 SOLID\n"
        " 70 1\n 71 0\n 91 1\n 92 3\n 72 0\n 73 1\n 93 4\n 10 0\n 20 0\n 10 20\n"
        " 20 0\n 10 20\n 20 20\n 10 0\n 20 20\n 97 0\n 75 0\n 76 1\n 98 0");
    DrawingView view;
    view.resize(200, 200);
    view.setScene(std::make_shared<Scene>(s), true);
    view.zoomExtents();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    view.paintScene(painter);
    painter.end();
    const QPoint middle = view.toScreen(QPointF(10, 10)).toPoint();
    EXPECT_EQ(image.pixel(middle) & 0xFFFFFF, aciRgb(3));
}

TEST_F(FileAppearance, ATrueColourWinsOverTheColourNumberAsItDoesInCadPrograms) {
    struct Case {
        const char* what;
        QByteArray entities;
        quint32 rgb;
    };
    const Case cases[] = {
        {"own true colour", "0 LINE\n 8 0\n 62 1\n 420 16711935\n 10 0\n 20 0\n 11 1\n 21 0",
         0xFF00FF},
        {"by layer", "0 LINE\n 8 TC\n 10 0\n 20 0\n 11 1\n 21 0", 0xFF8000},
        {"own number on that layer", "0 LINE\n 8 TC\n 62 5\n 10 0\n 20 0\n 11 1\n 21 0", aciRgb(5)},
        {"by block", "0 INSERT\n 8 0\n 2 DOT\n 62 2\n 420 51320\n 10 0\n 20 0", 0x00C878},
        {"by block, the reference by layer", "0 INSERT\n 8 TC\n 2 DOT\n 10 0\n 20 0", 0xFF8000},
        {"no true colour", "0 LINE\n 8 0\n 62 1\n 10 0\n 20 0\n 11 1\n 21 0", aciRgb(1)},
        {"gradient's first colour",
         squareHatch("SOLID", 1, 0)
             .replace("76 1\n",
                      "76 1\n 450 1\n 453 2\n 463 0\n 421 "
                      "255\n 463 1\n 421 16711680\n"),
         0x0000FF},
    };
    for (const Case& c : cases) {
        const Scene s = load(c.entities);
        ASSERT_EQ(s.strokes.size(), 1u) << c.what;
        EXPECT_EQ(s.strokes[0].rgb, c.rgb) << c.what;
        for (const Fill& f : s.fills) {
            EXPECT_EQ(f.rgb, c.rgb) << c.what;
        }
    }
}

TEST_F(FileAppearance, AColourSetAfterLoadingReplacesTheTrueColour) {
    load(
        "0 LINE\n 8 0\n 62 1\n 420 16711935\n 10 0\n 20 0\n 11 1\n 21 0\n"
        "0 LINE\n 8 TC\n 10 0\n 20 0\n 11 1\n 21 0");
    loaded->modelSpace().entities[0]->setValue(cad::Member::Color, 4);
    loaded->findLayer(u"TC"_s)->color = 6;
    const Scene s = Scene::build(*loaded, font);
    ASSERT_EQ(s.strokes.size(), 2u);
    EXPECT_EQ(s.strokes[0].rgb, aciRgb(4));
    EXPECT_EQ(s.strokes[1].rgb, aciRgb(6));
}

TEST_F(FileAppearance, NothingOnAFrozenLayerIsDrawnNotEvenThroughABlock) {
    const Scene s = load(
        "0 LINE\n 8 FROZEN\n 10 0\n 20 0\n 11 1\n 21 0\n"
        "0 INSERT\n 8 FROZEN\n 2 DOT\n 10 0\n 20 0\n"
        "0 LINE\n 8 TC\n 10 0\n 20 0\n 11 1\n 21 0");
    ASSERT_EQ(s.items.size(), 3u);
    EXPECT_EQ(s.items[0].strokeEnd - s.items[0].strokeBegin, 0u);
    EXPECT_EQ(s.items[1].strokeEnd - s.items[1].strokeBegin, 0u);
    EXPECT_EQ(s.items[2].strokeEnd - s.items[2].strokeBegin, 1u);
}

TEST_F(FileAppearance, AnObliqueTextLeansItsUprightStrokes) {
    const Scene s = load(
        "0 TEXT\n 8 0\n 10 0\n 20 0\n 40 2\n 1 SLANT\n 51 15\n"
        "0 TEXT\n 8 0\n 10 0\n 20 10\n 40 2\n 1 UPRIGHT");
    ASSERT_EQ(s.texts.size(), 2u);
    const QPointF up = s.texts[0].toWorld.map(QPointF(0, 1)) - s.texts[0].toWorld.map(QPointF());
    EXPECT_NEAR(up.x(), 2 * std::tan(15 * std::numbers::pi / 180), 1e-9);
    EXPECT_NEAR(up.y(), 2, 1e-9);
    const QPointF upright =
        s.texts[1].toWorld.map(QPointF(0, 1)) - s.texts[1].toWorld.map(QPointF());
    EXPECT_NEAR(upright.x(), 0, 1e-9);
}

TEST_F(FileAppearance, AnArcWhoseExtrusionPointsDownIsMirroredIntoThePlan) {
    // As mirroring an arc leaves it: its centre and angles given in its own coordinates.
    const Scene s = load(
        "0 ARC\n 8 0\n 10 10\n 20 0\n 30 0\n 40 2\n 210 0\n 220 0\n 230 -1\n"
        " 50 0\n 51 90");
    ASSERT_EQ(s.items.size(), 1u);
    EXPECT_NEAR(s.items[0].box.minX, -12, 1e-6);
    EXPECT_NEAR(s.items[0].box.maxX, -10, 1e-6);
    EXPECT_NEAR(s.items[0].box.maxY, 2, 1e-6);
    EXPECT_NE(std::find(s.snaps.begin(), s.snaps.end(), QPointF(-10, 0)), s.snaps.end());
}

TEST_F(FileAppearance, AMirroredReferencesAttributeStaysBesideItAndMovesWithIt) {
    // Mirrored, the attribute's coordinate system points down: x = -48 there is 48 in the plan.
    load(
        "0 INSERT\n 8 0\n 66 1\n 2 DOT\n 10 50\n 20 0\n 41 -1\n"
        "0 ATTRIB\n 8 0\n 10 -48\n 20 -3\n 40 1.5\n 1 MIR\n 2 TAG\n 70 0\n"
        " 210 0\n 220 0\n 230 -1\n 0 SEQEND\n 8 0");
    Scene s = Scene::build(*loaded, font);
    ASSERT_EQ(s.texts.size(), 1u);
    EXPECT_EQ(s.texts[0].toWorld.map(QPointF(0, 0)), QPointF(48, -3));
    // Read mirrored, as the file has it: the baseline runs to the left.
    EXPECT_LT(s.texts[0].toWorld.map(QPointF(1, 0)).x(), 48);
    loaded->modelSpace().entities[0]->setValue(cad::Member::InsertionPoint, cad::Point{60, 5, 0});
    s = Scene::build(*loaded, font);
    ASSERT_EQ(s.texts.size(), 1u);
    EXPECT_EQ(s.texts[0].toWorld.map(QPointF(0, 0)), QPointF(58, 2));
}

}  // namespace
}  // namespace sketchcad
