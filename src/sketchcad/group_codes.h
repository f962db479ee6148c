// The DXF group codes sketchcad reads from a loaded file's records, one set per record kind,
// with the flag bits it tests. The members the drawing keeps are read by the DXF layer through
// the entity kinds' tables; these are what the drawing keeps no members for. A code that gives
// a point's x is followed by its y at the code + 10.
#pragma once

namespace sketchcad::codes {

// Of every entity, and of a layer.
constexpr int kColorNumber = 62;
constexpr int kTrueColor = 420;  // 0x00RRGGBB
// An entity's extrusion direction, which sets up its own coordinate system.
constexpr int kExtrusionX = 210;
constexpr int kExtrusionY = 220;
constexpr int kExtrusionZ = 230;

namespace layer {
constexpr int kFlags = 70;
constexpr int kFrozen = 1;
}  // namespace layer

namespace style {
constexpr int kObliqueAngle = 50;  // degrees
}  // namespace style

namespace text {
constexpr int kObliqueAngle = 51;  // degrees
}  // namespace text

namespace lwpolyline {
constexpr int kFlags = 70;  // the bits of polyline::kFlags
constexpr int kConstantWidth = 43;
// Per vertex, each vertex starting at its x.
constexpr int kVertexX = 10;
constexpr int kVertexY = 20;
constexpr int kBulge = 42;
constexpr int kStartWidth = 40;
constexpr int kEndWidth = 41;
}  // namespace lwpolyline

// POLYLINE, its vertices in the VERTEX records that follow it.
namespace polyline {
constexpr int kFlags = 70;
constexpr int kClosed = 1;
constexpr int k3dPolyline = 8;
constexpr int kPolygonMesh = 16;
constexpr int kPolyfaceMesh = 64;
// The widths of vertices that give none of their own.
constexpr int kStartWidth = 40;
constexpr int kEndWidth = 41;
}  // namespace polyline

namespace vertex {
constexpr int kX = 10;
constexpr int kY = 20;
constexpr int kBulge = 42;
constexpr int kStartWidth = 40;
constexpr int kEndWidth = 41;
}  // namespace vertex

namespace ellipse {
constexpr int kCentreX = 10;
constexpr int kCentreY = 20;
constexpr int kMajorAxisEndX = 11;  // from the centre
constexpr int kMajorAxisEndY = 21;
constexpr int kMinorRatio = 40;      // of the minor axis to the major
constexpr int kStartParameter = 41;  // radians
constexpr int kEndParameter = 42;
}  // namespace ellipse

// SOLID, TRACE and 3DFACE: corner k (0 to 3) at these codes + k.
namespace corners {
constexpr int kFirstX = 10;
constexpr int kFirstY = 20;
}  // namespace corners

namespace spline {
constexpr int kDegree = 71;
constexpr int kKnot = 40;
constexpr int kWeight = 41;
constexpr int kControlPointX = 10;
constexpr int kControlPointY = 20;
}  // namespace spline

namespace dimension {
constexpr int kBlockName = 2;  // the block that draws it
}  // namespace dimension

// The ATTRIB records that follow a block reference.
namespace attrib {
constexpr int kText = 1;
constexpr int kInsertionX = 10;
constexpr int kInsertionY = 20;
constexpr int kAlignmentX = 11;
constexpr int kAlignmentY = 21;
constexpr int kHeight = 40;
constexpr int kWidthFactor = 41;
constexpr int kRotation = 50;  // degrees
constexpr int kObliqueAngle = 51;
constexpr int kFlags = 70;
constexpr int kInvisible = 1;
constexpr int kHorizontalAlignment = 72;
constexpr int kVerticalAlignment = 74;
}  // namespace attrib

namespace insert {
constexpr int kInsertionX = 10;
constexpr int kInsertionY = 20;
}  // namespace insert

namespace hatch {
constexpr int kPatternName = 2;
constexpr int kSolidFill = 70;  // 1 solid, 0 a pattern
constexpr int kStyle = 75;
constexpr int kIgnoreIslands = 2;  // the style that fills the external boundaries only
constexpr int kGradient = 450;     // 1 a gradient fill
constexpr int kGradientColor = 421;

// The boundary paths: their count, then each path's flags and its polyline or edges, and the
// handles of the objects it was made from.
constexpr int kPathCount = 91;
constexpr int kPathFlags = 92;
constexpr int kExternalPath = 1;
constexpr int kPolylinePath = 2;
constexpr int kSourceCount = 97;
constexpr int kSourceHandle = 330;

// A polyline path.
constexpr int kHasBulges = 72;
constexpr int kClosed = 73;
constexpr int kVertexCount = 93;
constexpr int kVertex = 10;
constexpr int kBulge = 42;

// A path of edges, each one of the types below.
constexpr int kEdgeCount = 93;
constexpr int kEdgeType = 72;
constexpr int kLineEdge = 1;
constexpr int kArcEdge = 2;
constexpr int kEllipseEdge = 3;
constexpr int kSplineEdge = 4;
// A line.
constexpr int kLineStart = 10;
constexpr int kLineEnd = 11;
// A circular arc; an elliptic arc has its centre, angles and direction too.
constexpr int kCentre = 10;
constexpr int kRadius = 40;
constexpr int kStartAngle = 50;  // degrees
constexpr int kEndAngle = 51;
constexpr int kCounterClockwise = 73;  // 0 clockwise, the angles then given mirrored
// An elliptic arc.
constexpr int kMajorAxisEnd = 11;
constexpr int kMinorRatio = 40;
// A spline.
constexpr int kSplineDegree = 94;
constexpr int kRational = 73;
constexpr int kPeriodic = 74;
constexpr int kKnotCount = 95;
constexpr int kControlPointCount = 96;
constexpr int kKnot = 40;
constexpr int kControlPoint = 10;
constexpr int kWeight = 42;
constexpr int kFitPointCount = 97;
constexpr int kFitPoint = 11;
constexpr int kStartTangent = 12;
constexpr int kEndTangent = 13;

// The pattern's line families.
constexpr int kPatternLineCount = 78;
constexpr int kLineAngle = 53;  // degrees
constexpr int kLineBaseX = 43;
constexpr int kLineBaseY = 44;
constexpr int kLineOffsetX = 45;  // from one line of the family to the next
constexpr int kLineOffsetY = 46;
constexpr int kDashCount = 79;
constexpr int kDashLength = 49;  // > 0 dash, < 0 gap, 0 dot
}  // namespace hatch

}  // namespace sketchcad::codes
