// Record paths: a hatch's boundary paths edge by edge, and its pattern's dashes.
#include "sketchcad/record_paths.h"

#include <QLineF>
#include <cmath>
#include <limits>
#include <numbers>

#include "sketchcad/curves.h"
#include "sketchcad/group_codes.h"
#include "sketchcad/polyline_paths.h"

namespace sketchcad {

double tagNumber(const dxf::Tag& tag) {
    return dxf::toDouble(tag.value()).value_or(0);
}

namespace {

// Reads a hatch's tags in their fixed order; a code out of place ends the reading.
class TagCursor {
public:
    TagCursor(const dxf::RecordView& r, qsizetype from) : m_r(r), m_at(from), m_end(r.dataEnd()) {}

    bool ok() const { return m_ok; }
    bool next(int code) const { return m_ok && m_at < m_end && m_r[m_at].code() == code; }
    double take(int code, double fallback = 0) {
        if (!next(code)) {
            m_ok = false;
            return fallback;
        }
        return tagNumber(m_r[m_at++]);
    }
    double optional(int code, double fallback) { return next(code) ? take(code) : fallback; }
    QPointF point(int code) {
        const double x = take(code);
        return {x, take(code + 10)};
    }

private:
    const dxf::RecordView& m_r;
    qsizetype m_at;
    qsizetype m_end;
    bool m_ok = true;
};

constexpr double kDegree = std::numbers::pi / 180;

namespace code = codes::hatch;

// An elliptic arc edge is drawn with this many segments.
constexpr int kEllipseEdgeSegments = 48;

std::vector<QPointF> arcEdge(TagCursor& c) {
    const QPointF centre = c.point(code::kCentre);
    const double r = c.take(code::kRadius);
    const double a0 = c.take(code::kStartAngle) * kDegree;
    const double a1 = c.take(code::kEndAngle) * kDegree;
    if (c.optional(code::kCounterClockwise, 1) != 0) {
        return arcPoints(centre, r, a0, a1);
    }
    // Clockwise: the angles are given mirrored.
    auto arc = arcPoints(centre, r, -a1, -a0);
    std::reverse(arc.begin(), arc.end());
    return arc;
}

std::vector<QPointF> ellipseEdge(TagCursor& c) {
    const QPointF centre = c.point(code::kCentre);
    const QPointF major = c.point(code::kMajorAxisEnd);
    const double ratio = c.take(code::kMinorRatio);
    double p0 = c.take(code::kStartAngle) * kDegree;
    double p1 = c.take(code::kEndAngle) * kDegree;
    const bool ccw = c.optional(code::kCounterClockwise, 1) != 0;
    if (!ccw) {
        std::swap(p0, p1);
        p0 = -p0;
        p1 = -p1;
    }
    if (p1 <= p0) {
        p1 += 2 * std::numbers::pi;
    }
    const QPointF minor(-major.y() * ratio, major.x() * ratio);
    std::vector<QPointF> arc;
    for (int k = 0; k <= kEllipseEdgeSegments; ++k) {
        const double t = p0 + (p1 - p0) * k / kEllipseEdgeSegments;
        arc.push_back(centre + major * std::cos(t) + minor * std::sin(t));
    }
    if (!ccw) {
        std::reverse(arc.begin(), arc.end());
    }
    return arc;
}

// Drawn from its control points; the fit points and tangents that may follow are passed over.
std::vector<QPointF> splineEdge(TagCursor& c) {
    const int degree = int(c.take(code::kSplineDegree));
    const bool rational = c.take(code::kRational) != 0;
    c.take(code::kPeriodic);
    const int knotCount = int(c.take(code::kKnotCount));
    const int controlCount = int(c.take(code::kControlPointCount));
    std::vector<double> knots;
    for (int k = 0; k < knotCount && c.ok(); ++k) {
        knots.push_back(c.take(code::kKnot));
    }
    std::vector<QPointF> control;
    std::vector<double> weights;
    for (int k = 0; k < controlCount && c.ok(); ++k) {
        control.push_back(c.point(code::kControlPoint));
        if (rational) {
            weights.push_back(c.optional(code::kWeight, 1));
        }
    }
    if (c.next(code::kFitPointCount)) {
        const int fit = int(c.take(code::kFitPointCount));
        for (int k = 0; k < fit && c.ok(); ++k) {
            c.point(code::kFitPoint);
        }
        if (c.next(code::kStartTangent)) {
            c.point(code::kStartTangent);
            c.point(code::kEndTangent);
        }
    }
    return splineThroughControlPoints(degree, knots, control, weights);
}

// One boundary path made of edges: lines, arcs, elliptic arcs and splines, end to end.
std::vector<QPointF> hatchEdges(TagCursor& c) {
    std::vector<QPointF> pts;
    auto append = [&](const std::vector<QPointF>& part) {
        pts.insert(pts.end(), part.begin(), part.end());
    };
    const int edges = int(c.take(code::kEdgeCount));
    for (int i = 0; i < edges && c.ok(); ++i) {
        switch (int(c.take(code::kEdgeType))) {
            case code::kLineEdge: {
                const QPointF a = c.point(code::kLineStart);
                append({a, c.point(code::kLineEnd)});
                break;
            }
            case code::kArcEdge:
                append(arcEdge(c));
                break;
            case code::kEllipseEdge:
                append(ellipseEdge(c));
                break;
            case code::kSplineEdge:
                append(splineEdge(c));
                break;
            default:
                return pts;  // an edge type unknown: what came before is kept
        }
    }
    return pts;
}

}  // namespace

std::vector<HatchBoundary> hatchBoundaries(const dxf::RecordView& r) {
    std::vector<HatchBoundary> shape;
    const qsizetype paths = r.find(code::kPathCount);
    if (paths < 0) {
        return shape;
    }
    TagCursor c(r, paths);
    const int count = int(c.take(code::kPathCount));
    for (int p = 0; p < count && c.ok(); ++p) {
        const int flags = int(c.take(code::kPathFlags));
        if (flags & code::kPolylinePath) {
            const bool bulges = c.take(code::kHasBulges) != 0;
            const bool closed = c.take(code::kClosed) != 0;
            const int n = int(c.take(code::kVertexCount));
            std::vector<Vertex> vertices;
            for (int k = 0; k < n && c.ok(); ++k) {
                Vertex v{c.point(code::kVertex), 0};
                if (bulges) {
                    v.bulge = c.optional(code::kBulge, 0);
                }
                vertices.push_back(v);
            }
            shape.push_back({polylinePath(vertices, closed), flags});
        } else {
            shape.push_back({hatchEdges(c), flags});
        }
        // The source boundary objects.
        const int sources = int(c.optional(code::kSourceCount, 0));
        for (int k = 0; k < sources && c.next(code::kSourceHandle); ++k) {
            c.take(code::kSourceHandle);
        }
    }
    std::erase_if(shape, [](const auto& path) { return path.points.size() < 2; });
    return shape;
}

namespace {

// One line family of a pattern, already turned and scaled as the hatch draws it.
struct PatternLine {
    double angle = 0;  // radians
    QPointF base;
    QPointF offset;              // from one line of the family to the next
    std::vector<double> dashes;  // > 0 dash, < 0 gap, 0 dot; empty: continuous
};

std::vector<PatternLine> patternLines(const dxf::RecordView& r) {
    std::vector<PatternLine> lines;
    const qsizetype at = r.find(code::kPatternLineCount);
    if (at < 0) {
        return lines;
    }
    TagCursor c(r, at);
    const int count = int(c.take(code::kPatternLineCount));
    for (int i = 0; i < count && c.ok(); ++i) {
        PatternLine line;
        line.angle = c.take(code::kLineAngle) * kDegree;
        const double x = c.take(code::kLineBaseX);
        line.base = {x, c.take(code::kLineBaseY)};
        const double dx = c.take(code::kLineOffsetX);
        line.offset = {dx, c.take(code::kLineOffsetY)};
        const int dashes = int(c.take(code::kDashCount));
        for (int k = 0; k < dashes && c.ok(); ++k) {
            line.dashes.push_back(c.take(code::kDashLength));
        }
        if (c.ok()) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

// Where the line through p along d crosses the loops, as distances along it, in order.
std::vector<double> crossings(const std::vector<std::vector<QPointF>>& loops, QPointF p, QPointF d,
                              QPointF n) {
    std::vector<double> ts;
    for (const auto& loop : loops) {
        for (std::size_t i = 0; i < loop.size(); ++i) {
            const QPointF a = loop[i];
            const QPointF b = loop[(i + 1) % loop.size()];
            const double sa = QPointF::dotProduct(a - p, n);
            const double sb = QPointF::dotProduct(b - p, n);
            // Half-open, so that a vertex on the line counts once.
            if ((sa > 0) != (sb > 0)) {
                const QPointF x = a + (b - a) * (sa / (sa - sb));
                ts.push_back(QPointF::dotProduct(x - p, d));
            }
        }
    }
    std::sort(ts.begin(), ts.end());
    return ts;
}

// The most passes of a pattern's lines over the boundary's edges, one line over one edge each.
constexpr double kMostEdgePasses = 4e6;

// The dashes of a pattern line through origin along the unit vector d, between the distances
// from and to. The dashes keep the phase they have from the line's own origin; no more are
// made once there are more than maxDashes.
void appendDashes(std::vector<QLineF>& out, const std::vector<double>& dashes, double period,
                  QPointF origin, QPointF d, double from, double to, std::size_t maxDashes) {
    auto emit = [&](double a, double b) { out.emplace_back(origin + d * a, origin + d * b); };
    if (!(period > 0)) {
        emit(from, to);
        return;
    }
    double at = std::floor(from / period) * period;
    while (at < to && out.size() <= maxDashes) {
        for (double dash : dashes) {
            const double end = at + std::abs(dash);
            if (dash >= 0 && end >= from && at <= to) {
                // A dot as a dash a thousandth of the period long.
                emit(std::max(at, from), std::min(dash > 0 ? end : at + period / 1000, to));
            }
            at = end;
        }
    }
}

}  // namespace

std::vector<QLineF> hatchPatternDashes(const dxf::RecordView& r,
                                       const std::vector<std::vector<QPointF>>& loops,
                                       std::size_t maxDashes) {
    std::vector<QLineF> out;
    std::size_t edges = 0;
    for (const auto& loop : loops) {
        edges += loop.size();
    }
    for (const PatternLine& line : patternLines(r)) {
        const QPointF d(std::cos(line.angle), std::sin(line.angle));
        const QPointF n(-d.y(), d.x());
        const double spacing = QPointF::dotProduct(line.offset, n);
        if (edges == 0 || !(std::abs(spacing) > 0)) {
            continue;
        }
        double low = std::numeric_limits<double>::max();
        double high = std::numeric_limits<double>::lowest();
        for (const auto& loop : loops) {
            for (const QPointF& p : loop) {
                const double s = QPointF::dotProduct(p - line.base, n);
                low = std::min(low, s);
                high = std::max(high, s);
            }
        }
        const double first = std::ceil(std::min(low / spacing, high / spacing));
        const double last = std::floor(std::max(low / spacing, high / spacing));
        // Every line costs a pass over every edge: too many, and the boundary stands alone.
        if (!(last - first < double(maxDashes)) ||
            (last - first + 1) * double(edges) > kMostEdgePasses) {
            return {};
        }
        double period = 0;
        for (double dash : line.dashes) {
            period += std::abs(dash);
        }
        for (double k = first; k <= last; ++k) {
            const QPointF origin = line.base + line.offset * k;
            const std::vector<double> ts = crossings(loops, origin, d, n);
            for (std::size_t i = 0; i + 1 < ts.size(); i += 2) {
                appendDashes(out, line.dashes, period, origin, d, ts[i], ts[i + 1], maxDashes);
                if (out.size() > maxDashes) {
                    return {};
                }
            }
        }
    }
    return out;
}

}  // namespace sketchcad
