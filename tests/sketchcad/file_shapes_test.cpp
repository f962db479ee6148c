// Shapes read from a loaded file's tags: polylines with bulges, ellipses, solids, dimensions.
#include <gtest/gtest.h>

#include <QLineF>
#include <cmath>

#include "cad/memory/document.h"
#include "dxf/drawing.h"
#include "sketchcad/file_shapes.h"
#include "sketchcad/scene.h"
#include "sketchcad/text_font.h"

namespace sketchcad {
namespace {

using namespace Qt::StringLiterals;

// Group codes and values, one pair a line, turned into DXF text.
QByteArray dxfText(std::initializer_list<const char*> pairs) {
    QByteArray text;
    for (const char* s : pairs) {
        text += s;
        text += '\n';
    }
    return text;
}

class ShapesFromTheFile : public ::testing::Test {
protected:
    Scene load(const QByteArray& entities, const QByteArray& blocks = QByteArray()) {
        QByteArray bytes;
        if (!blocks.isEmpty()) {
            bytes += dxfText({"0", "SECTION", "2", "BLOCKS"}) + blocks + dxfText({"0", "ENDSEC"});
        }
        bytes += dxfText({"0", "SECTION", "2", "ENTITIES"}) + entities +
                 dxfText({"0", "ENDSEC", "0", "EOF"});
        auto doc = dxf::loadDrawingBytes(*app, bytes, u"shapes.dxf"_s);
        EXPECT_TRUE(doc.ok()) << (doc.ok() ? "" : doc.error().toString().toStdString());
        if (!doc.ok()) {
            return Scene();
        }
        loaded = doc.value();
        return Scene::build(*loaded, font);
    }
    static std::vector<QPointF> points(const Scene& s, int item) {
        std::vector<QPointF> pts;
        for (quint32 i = s.items[item].strokeBegin; i < s.items[item].strokeEnd; ++i) {
            const Stroke& st = s.strokes[i];
            pts.insert(pts.end(), s.points.begin() + st.first,
                       s.points.begin() + st.first + st.count);
        }
        return pts;
    }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> loaded;
    TextFont font;
};

TEST_F(ShapesFromTheFile, ALightweightPolylineWithABulgeBendsIntoAHalfCircle) {
    const Scene s =
        load(dxfText({"0", "LWPOLYLINE", "8", "0",  "90", "3",  "70", "1",  "10", "0",  "20",
                      "0", "42",         "1", "10", "10", "20", "0",  "10", "10", "20", "10"}));
    ASSERT_EQ(s.items.size(), 1u);
    const auto pts = points(s, 0);
    ASSERT_GT(pts.size(), 6u);
    EXPECT_EQ(pts.front(), QPointF(0, 0));
    EXPECT_EQ(pts.back(), QPointF(0, 0));  // closed
    // Bulge 1 from (0,0) to (10,0), counter-clockwise: a half circle below, down to y = -5.
    double lowest = 0;
    for (const QPointF& p : pts) {
        lowest = std::min(lowest, p.y());
    }
    EXPECT_NEAR(lowest, -5, 0.01);
    EXPECT_NEAR(s.extents.maxY, 10, 1e-9);
}

TEST_F(ShapesFromTheFile, APolylineTakesItsVertexRecords) {
    const Scene s =
        load(dxfText({"0",  "POLYLINE", "8",  "0", "66", "1",      "70", "0",      "0", "VERTEX",
                      "8",  "0",        "10", "1", "20", "2",      "0",  "VERTEX", "8", "0",
                      "10", "3",        "20", "4", "0",  "SEQEND", "8",  "0"}));
    ASSERT_EQ(s.items.size(), 1u);
    EXPECT_EQ(points(s, 0), (std::vector<QPointF>{{1, 2}, {3, 4}}));
}

TEST_F(ShapesFromTheFile, EllipsesAndSolidsGetTheirOutlines) {
    const Scene s =
        load(dxfText({"0",  "ELLIPSE", "8",  "0",     "10", "5", "20", "5", "11", "4", "21", "0",
                      "40", "0.5",     "0",  "SOLID", "8",  "0", "10", "0", "20", "0", "11", "2",
                      "21", "0",       "12", "0",     "22", "2", "13", "2", "23", "2"}));
    ASSERT_EQ(s.items.size(), 2u);
    EXPECT_NEAR(s.items[0].box.minX, 1, 1e-6);
    EXPECT_NEAR(s.items[0].box.maxY, 7, 1e-3);
    // The third and fourth corners come in zigzag order: the outline is a square, not a bow.
    EXPECT_EQ(points(s, 1), (std::vector<QPointF>{{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}));
}

TEST_F(ShapesFromTheFile, HatchesShowTheirBoundaryPaths) {
    // A square as a polyline path, and a path of a line and a clockwise half circle.
    const Scene s = load(
        dxfText({"0",  "HATCH", "8",  "0",  "100", "AcDbHatch", "10", "0", "20", "0",  "30", "0",
                 "2",  "SOLID", "70", "1",  "71",  "0",         "91", "2", "92", "2",  "72", "0",
                 "73", "1",     "93", "4",  "10",  "0",         "20", "0", "10", "4",  "20", "0",
                 "10", "4",     "20", "4",  "10",  "0",         "20", "4", "97", "0",  "92", "1",
                 "93", "2",     "72", "1",  "10",  "10",        "20", "0", "11", "14", "21", "0",
                 "72", "2",     "10", "12", "20",  "0",         "40", "2", "50", "0",  "51", "180",
                 "73", "0",     "97", "0",  "75",  "0",         "76", "1", "98", "0"}));
    ASSERT_EQ(s.items.size(), 1u);
    const Item& item = s.items[0];
    ASSERT_EQ(item.strokeEnd - item.strokeBegin, 2u);
    const Stroke& square = s.strokes[item.strokeBegin];
    EXPECT_EQ(square.count, 5u);  // closed: back to the first corner
    // Clockwise from 0 to 180 degrees mirrored: below the line, down to y = -2.
    EXPECT_NEAR(s.items[0].box.minY, -2, 0.01);
    EXPECT_NEAR(s.items[0].box.maxX, 14, 1e-9);
}

TEST_F(ShapesFromTheFile, VisibleAttributesOfAReferenceAreDrawnAndMoveWithIt) {
    const QByteArray block = dxfText(
        {"0",      "BLOCK", "8", "0",  "2", "LAMP", "70", "2",  "10", "0", "20",     "0", "0",
         "CIRCLE", "8",     "0", "10", "0", "20",   "0",  "40", "1",  "0", "ENDBLK", "8", "0"});
    Scene s =
        load(dxfText({"0",  "INSERT", "8",  "0",      "66", "1",      "2",  "LAMP", "10", "10",
                      "20", "10",     "0",  "ATTRIB", "8",  "0",      "10", "12",   "20", "10",
                      "40", "2",      "1",  "L1",     "2",  "NO",     "70", "0",    "0",  "ATTRIB",
                      "8",  "0",      "10", "12",     "20", "14",     "40", "2",    "1",  "hidden",
                      "2",  "H",      "70", "1",      "0",  "SEQEND", "8",  "0"}),
             block);
    ASSERT_EQ(s.texts.size(), 1u);
    EXPECT_EQ(s.texts[0].text, u"L1"_s);
    EXPECT_EQ(s.texts[0].toWorld.map(QPointF(0, 0)), QPointF(12, 10));
    loaded->modelSpace().entities[0]->setValue(cad::Member::InsertionPoint, cad::Point{110, 10, 0});
    s = Scene::build(*loaded, font);
    ASSERT_EQ(s.texts.size(), 1u);
    EXPECT_EQ(s.texts[0].toWorld.map(QPointF(0, 0)), QPointF(112, 10));
}

TEST_F(ShapesFromTheFile, TheFilesLinetypeScaleCountsUntilTheDrawingSetsItsOwn) {
    const QByteArray bytes = dxfText(
        {"0", "SECTION", "2", "HEADER", "9", "$LTSCALE", "40", "10.0", "0", "ENDSEC", "0", "EOF"});
    auto doc = dxf::loadDrawingBytes(*app, bytes, u"scaled.dxf"_s);
    ASSERT_TRUE(doc.ok());
    EXPECT_EQ(FileShapes(*doc.value()).ltscale(), 10.0);
    auto& dashed = doc.value()->addLinetype(u"D"_s);
    dashed.pattern = {1, -1};
    auto line = doc.value()->makeEntity(cad::memory::kinds::line());
    line->setValue(cad::Member::EndPoint, cad::Point{1000, 0, 0});
    line->setValue(cad::Member::Linetype, u"D"_s);
    doc.value()->modelSpace().append(line);
    EXPECT_FLOAT_EQ(Scene::build(*doc.value(), font).strokes[0].period, 20);
    doc.value()->defineVariable(u"LTSCALE"_s, 2.0);
    EXPECT_FLOAT_EQ(Scene::build(*doc.value(), font).strokes[0].period, 4);
}

}  // namespace
}  // namespace sketchcad
