// Saving new multiline texts and splines into an R12 file: texts and polylines that ezdxf reads,
// placed as the originals, and nothing else in the file changed.
#include "dxf/drawing.h"
#include "dxf_test_support.h"

#include "cad/automation.h"
#include "cad/memory/application.h"

#include <QJsonArray>
#include <QLineF>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/linux_readers.h"

#include <cmath>
#include <numbers>

namespace dxf {
namespace {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;
using cad::Member;
using cad::Point;

QJsonArray jsonPoints(const std::vector<double>& flat) {
    QJsonArray out;
    for (size_t i = 0; i + 2 < flat.size(); i += 3)
        out.append(QJsonArray{flat[i], flat[i + 1], flat[i + 2]});
    return out;
}

double distanceToPolyline(const QJsonArray& p, const QJsonArray& polyline) {
    auto at = [](const QJsonArray& a) {
        return std::array{a[0].toDouble(), a[1].toDouble(), a[2].toDouble()};
    };
    const auto q = at(p);
    double best = HUGE_VAL;
    for (qsizetype i = 0; i + 1 < polyline.size(); ++i) {
        const auto a = at(polyline[i].toArray());
        const auto b = at(polyline[i + 1].toArray());
        double ab2 = 0, t = 0;
        for (int k = 0; k < 3; ++k) {
            ab2 += (b[k] - a[k]) * (b[k] - a[k]);
            t += (q[k] - a[k]) * (b[k] - a[k]);
        }
        t = ab2 > 0 ? std::clamp(t / ab2, 0.0, 1.0) : 0;
        double d2 = 0;
        for (int k = 0; k < 3; ++k)
            d2 += std::pow(a[k] + t * (b[k] - a[k]) - q[k], 2);
        best = std::min(best, std::sqrt(d2));
    }
    return best;
}

QJsonArray newEntities(const QJsonObject& before, const QJsonObject& after) {
    QJsonArray found = after[u"entities"_s].toArray();
    const QJsonArray old = before[u"entities"_s].toArray();
    EXPECT_GE(found.size(), old.size());
    for (qsizetype i = 0; i < old.size() && i < found.size(); ++i)
        EXPECT_EQ(found[i], old[i]) << "entity " << i << " changed";
    QJsonArray added;
    for (qsizetype i = old.size(); i < found.size(); ++i)
        added.append(found[i]);
    return added;
}

TEST(R12Equivalents, MtextsAndSplinesReachAnR12FileAsTextsAndPolylinesAlongTheirCurves) {
    SKIP_UNLESS_LINUX_READERS();
    const QString source = test::drawingsDir() + u"/r12.dxf"_s;
    auto app = memory::Application::create();
    auto loaded = loadDrawing(*app, source);
    ASSERT_TRUE(loaded.ok()) << loaded.error().toString().toStdString();
    memory::Document& drawing = *loaded.value();
    const cad::ModelSpace space = cad::Document(loaded.value()).ModelSpace();

    const double rotation = std::numbers::pi / 6;
    const cad::Entity mtext = space.AddMtext(
        Point{100, 200, 0}, 50, u"{\\fSimSun|b0;照明配电箱} AL1\\P插座回路 WX1\\P\\P备用 %%c20"_s);
    mtext.Rotation(rotation);
    mtext.Color(3);
    drawing.modelSpace().entities.back()->Put(Member::AttachmentPoint, 5);  // middle centre
    const std::vector<double> flatFit = {0, 0, 0, 10, 5, 0, 20, 0, 0, 30, 8, 0, 45, -3, 0};
    space.AddSpline(flatFit, Point{}, Point{});
    const std::vector<double> rising = {0, 0, 0, 50, 20, 0, 100, 0, 5};
    space.AddSpline(rising, Point{1, 0, 0}, Point{0, -1, 0});

    QTemporaryDir dir;
    const QString path = dir.filePath(u"r12.dxf"_s);
    const Result<Saved> saved = saveDrawing(drawing, path);
    ASSERT_TRUE(saved.ok()) << saved.error().toString().toStdString();
    EXPECT_EQ(saved->notes.converted, (QStringList{u"MTEXT"_s, u"SPLINE"_s}));
    EXPECT_TRUE(saved->notes.leftOut.isEmpty());

    const QJsonObject before = test::readWithEzdxf(source);
    const QJsonObject after = test::readWithEzdxf(path);
    EXPECT_EQ(after[u"errors"_s].toInt(), 0);
    EXPECT_EQ(after[u"layerTable"_s], before[u"layerTable"_s]);
    EXPECT_EQ(after[u"blocks"_s], before[u"blocks"_s]);
    const QJsonArray added = newEntities(before, after);
    ASSERT_EQ(added.size(), 5);

    // Three texts (the blank line leaves its space), centred on one vertical through the anchor
    // in the text's own frame, 5/3 of the height apart, the block's middle on the anchor.
    const double h = mtext.Height();
    std::vector<QPointF> local;
    for (qsizetype i = 0; i < 3; ++i) {
        const QJsonObject t = added[i].toObject();
        EXPECT_EQ(t[u"type"_s].toString(), u"TEXT"_s);
        EXPECT_EQ(t[u"color"_s].toInt(), 3);
        EXPECT_EQ(t[u"halign"_s].toInt(), 1);
        EXPECT_NEAR(t[u"rotation"_s].toDouble(), 30, 1e-9);
        const QJsonArray p = t[u"align_point"_s].toArray();
        const QPointF d(p[0].toDouble() - 100, p[1].toDouble() - 200);
        local.emplace_back(d.x() * std::cos(rotation) + d.y() * std::sin(rotation),
                           -d.x() * std::sin(rotation) + d.y() * std::cos(rotation));
    }
    EXPECT_EQ(added[0][u"handle"_s].toString(), mtext.Handle());
    EXPECT_EQ(added[0][u"text"_s].toString(), u"照明配电箱 AL1"_s);
    EXPECT_EQ(added[1][u"text"_s].toString(), u"插座回路 WX1"_s);
    EXPECT_EQ(added[2][u"text"_s].toString(), u"备用 %%c20"_s);
    for (const QPointF& p : local)
        EXPECT_NEAR(p.x(), 0, 1e-9);
    EXPECT_NEAR(local[0].y() - local[1].y(), 5.0 / 3 * h, 1e-9);
    EXPECT_NEAR(local[1].y() - local[2].y(), 10.0 / 3 * h, 1e-9);
    EXPECT_NEAR((local[0].y() + h + local[2].y()) / 2, 0, 1e-9);

    // Each polyline stays within 1/1000 of the extent of the curve ezdxf draws for the spline.
    struct Curve {
        std::vector<double> fit;
        QJsonValue tangents;
        double extent;
    };
    const Curve curves[] = {{flatFit, QJsonValue::Null, 45},
                            {rising, QJsonArray{QJsonArray{1, 0, 0}, QJsonArray{0, -1, 0}}, 100}};
    for (int c = 0; c < 2; ++c) {
        const QJsonObject polyline = added[3 + c].toObject();
        ASSERT_EQ(polyline[u"type"_s].toString(), u"POLYLINE"_s);
        const QJsonArray vertices = polyline[u"points"_s].toArray();
        EXPECT_LT(vertices.size(), 400) << c;
        const QJsonArray curve = test::cadSplinePoints(
            {{u"fit"_s, jsonPoints(curves[c].fit)}, {u"tangents"_s, curves[c].tangents}});
        ASSERT_EQ(curve.size(), 2001);
        double worst = 0;
        for (const QJsonValue& p : curve)
            worst = std::max(worst, distanceToPolyline(p.toArray(), vertices));
        EXPECT_LT(worst, curves[c].extent / 1000) << c;
    }

    // The drawing keeps what it has.
    int mtexts = 0, splines = 0;
    for (int i = 0; i < space.Count(); ++i) {
        mtexts += space.Item(i).EntityName() == u"AcDbMText"_s;
        splines += space.Item(i).EntityName() == u"AcDbSpline"_s;
    }
    EXPECT_EQ(mtexts, 1);
    EXPECT_EQ(splines, 2);

    // A save without changes writes the same file; a changed text replaces its lines.
    const QByteArray first = test::fileBytes(path);
    ASSERT_TRUE(saveDrawing(drawing, path).ok());
    EXPECT_EQ(test::fileBytes(path), first);
    mtext.TextString(u"一行"_s);
    ASSERT_TRUE(saveDrawing(drawing, path).ok());
    const QJsonArray again = newEntities(before, test::readWithEzdxf(path));
    ASSERT_EQ(again.size(), 3);
    EXPECT_EQ(again[0][u"text"_s].toString(), u"一行"_s);
    EXPECT_EQ(again[0][u"handle"_s].toString(), mtext.Handle());
    EXPECT_EQ(again[1], added[3]);
}

TEST(R12Equivalents, AKindWithoutEquivalentIsLeftOutAndNamed) {
    auto app = memory::Application::create();
    auto loaded = loadDrawing(*app, test::drawingsDir() + u"/r12.dxf"_s);
    ASSERT_TRUE(loaded.ok());
    memory::Document& drawing = *loaded.value();
    drawing.modelSpace().append(drawing.makeEntity(memory::kindByDxfName(u"LWPOLYLINE"_s)));
    VersionNotes notes;
    const QByteArray bytes = drawingBytes(drawing, &notes);
    EXPECT_EQ(notes.leftOut, QStringList{u"LWPOLYLINE"_s});
    EXPECT_FALSE(bytes.contains("LWPOLYLINE"));
}

}  // namespace
}  // namespace dxf
