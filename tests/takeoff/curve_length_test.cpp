// Polyline and spline lengths from their records: bulges, closing segments, frames, weights.
#include "takeoff/curve_length.h"

#include <gtest/gtest.h>

#include <numbers>

#include "dxf/reader.h"

namespace {

using std::numbers::pi;

struct Case {
    const char* name;
    const char* tags;  // the record's group codes and values, one pair per line
    std::optional<double> length;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// The record as the first entity of an otherwise empty ENTITIES section.
std::optional<double> lengthOf(const char* tags) {
    const QByteArray bytes = QByteArray("0\nSECTION\n2\nENTITIES\n") + tags + "0\nENDSEC\n0\nEOF\n";
    auto read = dxf::readBytes(bytes, QStringLiteral("curve.dxf"));
    EXPECT_TRUE(read.ok()) << read.error().toString().toStdString();
    const dxf::Section* section = read->section(dxf::SectionKind::Entities);
    return takeoff::curveLength(read->view(section->members.at(0)));
}

const Case kCases[] = {
    {"OpenLwpolylineInPlan",
     "0\nLWPOLYLINE\n100\nAcDbPolyline\n90\n3\n70\n0\n"
     "10\n0\n20\n0\n10\n3\n20\n4\n10\n3\n20\n10\n",
     11.0},
    {"ClosedLwpolylineGoesBackToItsStart",
     "0\nLWPOLYLINE\n100\nAcDbPolyline\n90\n4\n70\n1\n"
     "10\n0\n20\n0\n10\n10\n20\n0\n10\n10\n20\n10\n10\n0\n20\n10\n",
     40.0},
    // A bulge of 1 is a half circle over the chord; -1 the same the other way round.
    {"BulgesAreArcs",
     "0\nLWPOLYLINE\n100\nAcDbPolyline\n90\n3\n70\n0\n"
     "10\n0\n20\n0\n42\n1\n10\n10\n20\n0\n42\n-1\n10\n20\n20\n0\n",
     10 * pi},
    {"OldPolylineLeavesOutSplineFrameVertices",
     "0\nPOLYLINE\n66\n1\n70\n4\n0\nVERTEX\n10\n0\n20\n0\n70\n16\n0\nVERTEX\n10\n0\n20\n0\n70\n8\n"
     "0\nVERTEX\n10\n6\n20\n8\n70\n8\n0\nVERTEX\n10\n99\n20\n99\n70\n16\n0\nSEQEND\n",
     10.0},
    {"ClosedOldPolylineWithBulge",
     "0\nPOLYLINE\n66\n1\n70\n1\n0\nVERTEX\n10\n0\n20\n0\n42\n1\n0\nVERTEX\n10\n2\n20\n0\n"
     "0\nSEQEND\n",
     pi + 2},
    {"MeshesHaveNoLength",
     "0\nPOLYLINE\n66\n1\n70\n16\n0\nVERTEX\n10\n0\n20\n0\n0\nVERTEX\n10\n2\n20\n0\n0\nSEQEND\n",
     std::nullopt},
    // Degree 1: the control polygon itself.
    {"LinearSplineIsItsControlPolygon",
     "0\nSPLINE\n100\nAcDbSpline\n70\n8\n71\n1\n72\n4\n73\n2\n40\n0\n40\n0\n40\n1\n40\n1\n"
     "10\n0\n20\n0\n30\n0\n10\n3\n20\n4\n30\n7\n",
     5.0},
    // The rational quadratic with a middle weight of cos 45 degrees is a quarter circle.
    {"RationalSplineQuarterCircle",
     "0\nSPLINE\n100\nAcDbSpline\n70\n12\n71\n2\n72\n6\n73\n3\n40\n0\n40\n0\n40\n0\n40\n1\n40\n1\n"
     "40\n1\n41\n1\n41\n0.7071067811865476\n41\n1\n10\n100\n20\n0\n10\n100\n20\n100\n"
     "10\n0\n20\n100\n",
     50 * pi},
    {"FitPointSplineThroughALine",
     "0\nSPLINE\n100\nAcDbSpline\n70\n8\n71\n3\n74\n3\n11\n0\n21\n0\n11\n5\n21\n0\n11\n10\n21\n0\n",
     10.0},
    {"SplineWhoseKnotsDoNotAddUp",
     "0\nSPLINE\n100\nAcDbSpline\n71\n3\n40\n0\n40\n1\n10\n0\n20\n0\n10\n1\n20\n1\n", std::nullopt},
    {"OtherRecordsHaveNone", "0\nCIRCLE\n10\n0\n20\n0\n40\n5\n", std::nullopt},
};

class CurveLength : public testing::TestWithParam<Case> {};

TEST_P(CurveLength, IsTheCurvesLengthInPlan) {
    const Case& c = GetParam();
    const std::optional<double> length = lengthOf(c.tags);
    ASSERT_EQ(length.has_value(), c.length.has_value());
    if (c.length) {
        EXPECT_NEAR(*length, *c.length, 1e-7 * *c.length);
    }
}

INSTANTIATE_TEST_SUITE_P(Records, CurveLength, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
