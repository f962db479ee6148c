// Record shapes: LWPOLYLINE and POLYLINE vertices with bulges and widths, ELLIPSE arcs, filled
// SOLID and TRACE, 3DFACE outlines, HATCH boundaries and solid fills, the block a DIMENSION
// draws, SPLINE control points where a spline has no fit points, the ATTRIB records after an
// INSERT; and the colour, coordinate system and oblique angle records give.
#include "sketchcad/record_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "cad/memory/entity.h"
#include "sketchcad/curves.h"
#include "sketchcad/group_codes.h"
#include "sketchcad/polyline_paths.h"
#include "sketchcad/record_paths.h"

namespace sketchcad {

namespace memory = cad::memory;

std::optional<quint32> trueColor(const dxf::RecordView& r) {
    const qsizetype at = r.find(codes::kTrueColor);
    if (at < 0) {
        return std::nullopt;
    }
    return quint32(dxf::toInteger(r[at].value()).value_or(0)) & 0xFFFFFF;
}

std::optional<QTransform> ocsTransform(const dxf::RecordView& r) {
    const qsizetype at = r.find(codes::kExtrusionX);
    if (at < 0) {
        return std::nullopt;
    }
    const double nx = tagNumber(r[at]);
    const double ny = dxf::toDouble(r.value(codes::kExtrusionY)).value_or(0);
    const double nz = dxf::toDouble(r.value(codes::kExtrusionZ)).value_or(1);
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0) || (std::abs(nx) < 1e-12 && std::abs(ny) < 1e-12 && nz > 0)) {
        return std::nullopt;
    }
    const double n[3] = {nx / length, ny / length, nz / length};
    double ax[3];
    if (std::abs(n[0]) < 1.0 / 64 && std::abs(n[1]) < 1.0 / 64) {
        ax[0] = n[2];  // world Y across the normal
        ax[1] = 0;
        ax[2] = -n[0];
    } else {
        ax[0] = -n[1];  // world Z across the normal
        ax[1] = n[0];
        ax[2] = 0;
    }
    const double axLength = std::sqrt(ax[0] * ax[0] + ax[1] * ax[1] + ax[2] * ax[2]);
    for (double& c : ax) {
        c /= axLength;
    }
    const double ay[3] = {n[1] * ax[2] - n[2] * ax[1], n[2] * ax[0] - n[0] * ax[2],
                          n[0] * ax[1] - n[1] * ax[0]};
    return QTransform(ax[0], ax[1], ay[0], ay[1], 0, 0);
}

double oblique(const dxf::RecordView& r, int code) {
    const double degrees = dxf::toDouble(r.value(code)).value_or(0);
    return std::clamp(std::isfinite(degrees) ? degrees : 0, -85.0, 85.0) * std::numbers::pi / 180;
}

namespace {

FileShape outline(std::vector<QPointF> points) {
    FileShape shape;
    shape.paths.push_back(std::move(points));
    return shape;
}

// The centre line, and the areas its widths cover filled.
FileShape widePolyline(const std::vector<Vertex>& vertices, bool closed) {
    FileShape shape = outline(polylinePath(vertices, closed));
    shape.fill = polylineWidthAreas(vertices, closed);
    shape.fillRule = Qt::WindingFill;
    return shape;
}

FileShape lwpolyline(const dxf::RecordView& r) {
    namespace code = codes::lwpolyline;
    std::vector<Vertex> vertices;
    int flags = 0;
    double width = 0;  // the constant width, for every vertex without widths of its own
    const qsizetype end = r.dataEnd();
    for (qsizetype i = 0; i < end; ++i) {
        const dxf::Tag& t = r[i];
        if (t.code() == code::kFlags) {
            flags = int(tagNumber(t));
        } else if (t.code() == code::kConstantWidth) {
            width = tagNumber(t);
            for (Vertex& v : vertices) {
                v.startWidth = v.endWidth = width;
            }
        } else if (t.code() == code::kVertexX) {
            vertices.push_back({QPointF(tagNumber(t), 0), 0, width, width});
        } else if (vertices.empty()) {
            continue;
        } else if (t.code() == code::kVertexY) {
            vertices.back().at.setY(tagNumber(t));
        } else if (t.code() == code::kBulge) {
            vertices.back().bulge = tagNumber(t);
        } else if (t.code() == code::kStartWidth) {
            vertices.back().startWidth = tagNumber(t);
        } else if (t.code() == code::kEndWidth) {
            vertices.back().endWidth = tagNumber(t);
        }
    }
    return widePolyline(vertices, flags & codes::polyline::kClosed);
}

// The vertex a VERTEX record (the tags from to to, not included) gives, over v's widths.
Vertex polylineVertex(const dxf::RecordView& r, qsizetype from, qsizetype to, Vertex v) {
    namespace code = codes::vertex;
    for (qsizetype i = from + 1; i < to; ++i) {
        const dxf::Tag& t = r[i];
        if (t.code() == code::kX) {
            v.at.setX(tagNumber(t));
        } else if (t.code() == code::kY) {
            v.at.setY(tagNumber(t));
        } else if (t.code() == code::kBulge) {
            v.bulge = tagNumber(t);
        } else if (t.code() == code::kStartWidth) {
            v.startWidth = tagNumber(t);
        } else if (t.code() == code::kEndWidth) {
            v.endWidth = tagNumber(t);
        }
    }
    return v;
}

FileShape polyline(const dxf::RecordView& r) {
    namespace code = codes::polyline;
    const int flags = int(dxf::toDouble(r.value(code::kFlags)).value_or(0));
    if (flags & (code::kPolygonMesh | code::kPolyfaceMesh)) {
        return {};  // meshes and polyface meshes: no outline to draw in plan
    }
    // Widths of the polyline, for vertices without their own.
    const double startWidth = dxf::toDouble(r.value(code::kStartWidth)).value_or(0);
    const double endWidth = dxf::toDouble(r.value(code::kEndWidth)).value_or(0);
    std::vector<Vertex> vertices;
    const std::vector<qsizetype> starts = r.recordStarts();
    for (std::size_t k = 1; k < starts.size(); ++k) {
        const qsizetype from = starts[k];
        const qsizetype to = k + 1 < starts.size() ? starts[k + 1] : r.size();
        if (!r[from].is(0, "VERTEX")) {
            continue;
        }
        vertices.push_back(polylineVertex(r, from, to, {{}, 0, startWidth, endWidth}));
    }
    return widePolyline(vertices, flags & code::kClosed);
}

FileShape ellipse(const dxf::RecordView& r) {
    namespace code = codes::ellipse;
    auto value = [&](int code, double fallback) {
        return dxf::toDouble(r.value(code)).value_or(fallback);
    };
    const QPointF centre(value(code::kCentreX, 0), value(code::kCentreY, 0));
    const QPointF major(value(code::kMajorAxisEndX, 1), value(code::kMajorAxisEndY, 0));
    const double ratio = value(code::kMinorRatio, 1);
    double start = value(code::kStartParameter, 0);
    double end = value(code::kEndParameter, 2 * std::numbers::pi);
    if (end <= start) {
        end += 2 * std::numbers::pi;
    }
    const QPointF minor(-major.y() * ratio, major.x() * ratio);
    const int n = std::max(8, int(std::ceil((end - start) / (2 * std::numbers::pi) * 96)));
    std::vector<QPointF> pts;
    for (int i = 0; i <= n; ++i) {
        const double p = start + (end - start) * i / n;
        pts.push_back(centre + major * std::cos(p) + minor * std::sin(p));
    }
    return outline(std::move(pts));
}

// A pattern hatch needing more dashes than this shows its boundary alone.
constexpr std::size_t kMaxPatternDashes = 20000;

enum class Corners : quint8 { Face, FilledZigzag };

FileShape corners(const dxf::RecordView& r, Corners order) {
    QPointF c[4];
    for (int k = 0; k < 4; ++k) {
        c[k] = QPointF(dxf::toDouble(r.value(codes::corners::kFirstX + k)).value_or(0),
                       dxf::toDouble(r.value(codes::corners::kFirstY + k)).value_or(0));
    }
    if (order == Corners::Face) {
        return outline({c[0], c[1], c[2], c[3], c[0]});
    }
    // SOLID and TRACE give their third and fourth corners in zigzag order, and are filled.
    std::swap(c[2], c[3]);
    FileShape shape = outline({c[0], c[1], c[2], c[3], c[0]});
    shape.fill = {{c[0], c[1], c[2], c[3]}};
    shape.fillRule = Qt::WindingFill;
    return shape;
}

// The boundaries, filled when the pattern is solid. Islands are holes by parity; the style
// that ignores islands fills only the external boundaries.
FileShape hatch(const dxf::RecordView& r, std::size_t& dashBudget) {
    namespace code = codes::hatch;
    FileShape shape;
    std::vector<HatchBoundary> boundaries = hatchBoundaries(r);
    const bool solid =
        (int(dxf::toDouble(r.value(code::kSolidFill)).value_or(0)) & 1) ||
        dxf::trimmedBlanks(r.value(code::kPatternName)).compare("SOLID", Qt::CaseInsensitive) == 0;
    auto external = [](const HatchBoundary& b) { return b.flags & code::kExternalPath; };
    const bool ignoreIslands =
        int(dxf::toDouble(r.value(code::kStyle)).value_or(0)) == code::kIgnoreIslands &&
        std::any_of(boundaries.begin(), boundaries.end(), external);
    std::vector<std::vector<QPointF>> inside;
    for (HatchBoundary& b : boundaries) {
        if (!ignoreIslands || external(b)) {
            inside.push_back(b.points);
        }
        shape.paths.push_back(std::move(b.points));
    }
    if (solid) {
        shape.fill = std::move(inside);
    } else {
        shape.patternDashes =
            hatchPatternDashes(r, inside, std::min(kMaxPatternDashes, dashBudget));
        dashBudget -= shape.patternDashes.size();
    }
    shape.fillRule = ignoreIslands ? Qt::WindingFill : Qt::OddEvenFill;
    if (int(dxf::toDouble(r.value(code::kGradient)).value_or(0)) == 1) {
        if (const qsizetype at = r.find(code::kGradientColor); at >= 0) {
            shape.fillColor = quint32(dxf::toInteger(r[at].value()).value_or(0)) & 0xFFFFFF;
        }
    }
    return shape;
}

// A spline drawn from its control points, for one that keeps no fit points.
FileShape splineFromControlPoints(const dxf::RecordView& r) {
    namespace code = codes::spline;
    int degree = 3;
    std::vector<double> knots;
    std::vector<double> weights;
    std::vector<QPointF> control;
    const qsizetype end = r.dataEnd();
    for (qsizetype i = 0; i < end; ++i) {
        const dxf::Tag& t = r[i];
        switch (t.code()) {
            case code::kDegree:
                degree = int(tagNumber(t));
                break;
            case code::kKnot:
                knots.push_back(tagNumber(t));
                break;
            case code::kWeight:
                weights.push_back(tagNumber(t));
                break;
            case code::kControlPointX:
                control.emplace_back(tagNumber(t), 0);
                break;
            case code::kControlPointY:
                if (!control.empty()) {
                    control.back().setY(tagNumber(t));
                }
                break;
            default:
                break;
        }
    }
    return outline(splineThroughControlPoints(degree, knots, control, weights));
}

// An ATTRIB record as the text it draws.
FileText attribute(const dxf::Document& file, const dxf::RecordView& a) {
    namespace code = codes::attrib;
    auto value = [&](int code, double fallback) {
        return dxf::toDouble(a.value(code)).value_or(fallback);
    };
    FileText t;
    t.text.text = file.text(a[a.find(code::kText)]);
    t.text.insertion = QPointF(value(code::kInsertionX, 0), value(code::kInsertionY, 0));
    t.text.alignment = QPointF(value(code::kAlignmentX, 0), value(code::kAlignmentY, 0));
    t.text.height = value(code::kHeight, 2.5);
    t.text.widthFactor = value(code::kWidthFactor, 1);
    t.text.rotation = value(code::kRotation, 0) * std::numbers::pi / 180;
    t.text.horizontal = int(value(code::kHorizontalAlignment, 0));
    t.text.vertical = int(value(code::kVerticalAlignment, 0));
    t.color = int(value(codes::kColorNumber, 256));
    t.trueColor = trueColor(a);
    t.oblique = oblique(a, code::kObliqueAngle);
    t.ocs = ocsTransform(a).value_or(QTransform());
    t.layer = QString::fromUtf8(a.layer());
    return t;
}

// The visible ATTRIB records that follow a block reference.
FileShape attributes(const dxf::Document& file, const dxf::RecordView& r) {
    namespace code = codes::attrib;
    FileShape shape;
    shape.insertion = QPointF(dxf::toDouble(r.value(codes::insert::kInsertionX)).value_or(0),
                              dxf::toDouble(r.value(codes::insert::kInsertionY)).value_or(0));
    const std::vector<qsizetype> starts = r.recordStarts();
    for (std::size_t k = 1; k < starts.size(); ++k) {
        const qsizetype to = k + 1 < starts.size() ? starts[k + 1] : r.size();
        const dxf::RecordView a(r.tags().subspan(starts[k], to - starts[k]));
        // Invisible attributes, and any without a text, draw nothing.
        if (!a[0].is(0, "ATTRIB") || a.find(code::kText) < 0 ||
            (int(dxf::toDouble(a.value(code::kFlags)).value_or(0)) & code::kInvisible)) {
            continue;
        }
        FileText t = attribute(file, a);
        if (!t.text.text.isEmpty()) {
            shape.attributes.push_back(std::move(t));
        }
    }
    return shape;
}

std::optional<FileShape> recordShape(const dxf::RecordView& r, std::size_t& dashBudget) {
    const QByteArrayView type = r.type();
    if (type == "LWPOLYLINE") {
        return lwpolyline(r);
    }
    if (type == "POLYLINE") {
        return polyline(r);
    }
    if (type == "ELLIPSE") {
        return ellipse(r);
    }
    if (type == "SOLID" || type == "TRACE") {
        return corners(r, Corners::FilledZigzag);
    }
    if (type == "HATCH") {
        return hatch(r, dashBudget);
    }
    if (type == "3DFACE") {
        return corners(r, Corners::Face);
    }
    if (type == "DIMENSION") {
        FileShape shape;
        shape.block = QString::fromUtf8(r.value(codes::dimension::kBlockName));
        return shape;
    }
    return std::nullopt;
}

}  // namespace

std::optional<FileShape> entityShape(const dxf::Document& file, const dxf::RecordView& view,
                                     const memory::Entity& e, std::size_t& dashBudget) {
    const memory::KindSpec& kind = e.kind();
    if (&kind == &memory::kinds::spline()) {
        if (e.value(cad::Member::FitPoints).toDoubles().empty() && view.type() == "SPLINE") {
            FileShape shape = splineFromControlPoints(view);
            if (!shape.paths.front().empty()) {
                return shape;
            }
        }
        return std::nullopt;
    }
    if (&kind == &memory::kinds::insert()) {
        if (view.headEnd() < view.size() && view.type() == "INSERT") {
            FileShape shape = attributes(file, view);
            if (!shape.attributes.empty()) {
                return shape;
            }
        }
        return std::nullopt;
    }
    // Otherwise only kinds that keep no geometry of their own.
    if (int(kind.members.size()) != memory::kCommonSlots ||
        view.type() != kind.dxfName.toLatin1()) {
        return std::nullopt;
    }
    return recordShape(view, dashBudget);
}

}  // namespace sketchcad
