// Polyline lengths from vertices and bulges; spline lengths from the curve itself, measured by
// chords refined until the length settles.
#include "takeoff/curve_length.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/fit_spline.h"
#include "dxf/tag.h"

namespace takeoff {

namespace {

struct Vertex {
    double x = 0;
    double y = 0;
    double bulge = 0;
};

double number(const dxf::Tag& tag) {
    return dxf::toDouble(tag.value()).value_or(0.0);
}

int flags(const dxf::RecordView& view, qsizetype from, qsizetype to) {
    const qsizetype at = view.find(70, from, to);
    return at < 0 ? 0 : int(number(view[at]));
}

// A straight segment, or an arc whose bulge is the tangent of a quarter of its angle.
double segment(const Vertex& a, const Vertex& b) {
    const double chord = std::hypot(b.x - a.x, b.y - a.y);
    if (a.bulge == 0 || chord == 0) {
        return chord;
    }
    const double angle = 4 * std::atan(std::abs(a.bulge));
    return chord / (2 * std::sin(angle / 2)) * angle;
}

double pathLength(const std::vector<Vertex>& vertices, bool closed) {
    double length = 0;
    for (size_t i = 1; i < vertices.size(); ++i) {
        length += segment(vertices[i - 1], vertices[i]);
    }
    if (closed && vertices.size() > 1) {
        length += segment(vertices.back(), vertices.front());
    }
    return length;
}

// The vertex tags (10, 20, 42) of one record part; a 10 starts a vertex.
void readVertices(const dxf::RecordView& view, qsizetype from, qsizetype to,
                  std::vector<Vertex>& out) {
    for (qsizetype i = from; i < to; ++i) {
        const int code = view[i].code();
        if (code == 10) {
            out.push_back({number(view[i]), 0, 0});
        } else if (code == 20 && !out.empty()) {
            out.back().y = number(view[i]);
        } else if (code == 42 && !out.empty()) {
            out.back().bulge = number(view[i]);
        }
    }
}

std::optional<double> lwpolylineLength(const dxf::RecordView& view) {
    const qsizetype begin = std::max<qsizetype>(1, view.subclassBegin("AcDbPolyline"));
    const qsizetype end = view.dataEnd();
    std::vector<Vertex> vertices;
    readVertices(view, begin, end, vertices);
    return pathLength(vertices, (flags(view, begin, end) & 1) != 0);
}

std::optional<double> polylineLength(const dxf::RecordView& view) {
    constexpr int kClosed = 1, kMesh = 16, kPolyface = 64;
    constexpr int kFrameVertex = 16;
    const std::vector<qsizetype> starts = view.recordStarts();
    if ((flags(view, 1, view.dataEnd()) & (kMesh | kPolyface)) != 0) {
        return std::nullopt;
    }
    std::vector<Vertex> vertices;
    for (size_t r = 1; r < starts.size(); ++r) {
        const qsizetype from = starts[r];
        const qsizetype to = r + 1 < starts.size() ? starts[r + 1] : view.size();
        if (!view[from].is(0, "VERTEX") || (flags(view, from + 1, to) & kFrameVertex) != 0) {
            continue;
        }
        readVertices(view, from + 1, to, vertices);
    }
    return pathLength(vertices, (flags(view, 1, view.dataEnd()) & kClosed) != 0);
}

struct Point3 {
    double x = 0, y = 0, z = 0, w = 1;
};

// A NURBS curve by de Boor's algorithm on homogeneous points.
class Nurbs {
public:
    Nurbs(int degree, std::vector<double> knots, std::vector<Point3> points)
        : m_degree(degree), m_knots(std::move(knots)), m_points(std::move(points)) {}

    bool valid() const {
        const size_t n = m_points.size();
        return m_degree >= 1 && m_degree <= 25 && n > size_t(m_degree) &&
               m_knots.size() == n + m_degree + 1 && std::is_sorted(m_knots.begin(), m_knots.end());
    }

    double planLength() const {
        double length = 0;
        for (size_t span = m_degree; span < m_points.size(); ++span) {
            if (m_knots[span + 1] > m_knots[span]) {
                length += spanLength(span);
            }
        }
        return length;
    }

private:
    std::pair<double, double> at(size_t span, double t) const {
        std::vector<Point3> d(m_degree + 1);
        for (int j = 0; j <= m_degree; ++j) {
            const Point3& p = m_points[span - m_degree + j];
            d[j] = {p.x * p.w, p.y * p.w, p.z * p.w, p.w};
        }
        for (int r = 1; r <= m_degree; ++r) {
            for (int j = m_degree; j >= r; --j) {
                const size_t i = span - m_degree + j;
                const double a = (t - m_knots[i]) / (m_knots[i + m_degree + 1 - r] - m_knots[i]);
                d[j].x = (1 - a) * d[j - 1].x + a * d[j].x;
                d[j].y = (1 - a) * d[j - 1].y + a * d[j].y;
                d[j].w = (1 - a) * d[j - 1].w + a * d[j].w;
            }
        }
        return {d[m_degree].x / d[m_degree].w, d[m_degree].y / d[m_degree].w};
    }

    double chords(size_t span, int pieces) const {
        const double t0 = m_knots[span];
        const double t1 = m_knots[span + 1];
        auto [px, py] = at(span, t0);
        double length = 0;
        for (int k = 1; k <= pieces; ++k) {
            const auto [x, y] = at(span, t0 + (t1 - t0) * k / pieces);
            length += std::hypot(x - px, y - py);
            px = x;
            py = y;
        }
        return length;
    }

    // Chords doubled until the length settles to about a part in a billion.
    double spanLength(size_t span) const {
        double previous = chords(span, 8);
        for (int pieces = 16; pieces <= 4096; pieces *= 2) {
            const double length = chords(span, pieces);
            if (std::abs(length - previous) <= 1e-9 * length) {
                return length;
            }
            previous = length;
        }
        return previous;
    }

    int m_degree;
    std::vector<double> m_knots;
    std::vector<Point3> m_points;
};

std::optional<double> splineLength(const dxf::RecordView& view) {
    const qsizetype begin = std::max<qsizetype>(1, view.subclassBegin("AcDbSpline"));
    const qsizetype end = view.dataEnd();
    int degree = 3;
    std::vector<double> knots, weights, fit;
    std::vector<Point3> points;
    core::Vector3 startTangent{}, endTangent{};
    for (qsizetype i = begin; i < end; ++i) {
        const int code = view[i].code();
        const double v = number(view[i]);
        switch (code) {
            case 71:
                degree = int(v);
                break;
            case 40:
                knots.push_back(v);
                break;
            case 41:
                weights.push_back(v);
                break;
            case 10:
                points.push_back({v, 0, 0, 1});
                break;
            case 20:
                if (!points.empty())
                    points.back().y = v;
                break;
            case 30:
                if (!points.empty())
                    points.back().z = v;
                break;
            case 11:
                fit.insert(fit.end(), {v, 0, 0});
                break;
            case 21:
                if (!fit.empty())
                    fit[fit.size() - 2] = v;
                break;
            case 31:
                if (!fit.empty())
                    fit.back() = v;
                break;
            case 12:
                startTangent[0] = v;
                break;
            case 22:
                startTangent[1] = v;
                break;
            case 32:
                startTangent[2] = v;
                break;
            case 13:
                endTangent[0] = v;
                break;
            case 23:
                endTangent[1] = v;
                break;
            case 33:
                endTangent[2] = v;
                break;
            default:
                break;
        }
    }
    if (weights.size() == points.size()) {
        for (size_t i = 0; i < points.size(); ++i) {
            points[i].w = weights[i] > 0 ? weights[i] : 1.0;
        }
    }
    const Nurbs curve(degree, std::move(knots), std::move(points));
    if (curve.valid()) {
        return curve.planLength();
    }
    if (fit.size() < 6) {
        return std::nullopt;
    }
    // A fit-point spline: the cubic through the points, followed closely enough that the chords
    // fall short of it by far less than a millimetre on paper.
    std::vector<Vertex> path;
    const std::vector<double> along = core::fitSplinePolyline(fit, startTangent, endTangent, 1e-4);
    for (size_t i = 0; i + 2 < along.size(); i += 3) {
        path.push_back({along[i], along[i + 1], 0});
    }
    return pathLength(path, false);
}

}  // namespace

std::optional<double> curveLength(const dxf::RecordView& record) {
    const QByteArrayView type = record.type();
    std::optional<double> length;
    if (type == "LWPOLYLINE") {
        length = lwpolylineLength(record);
    } else if (type == "POLYLINE") {
        length = polylineLength(record);
    } else if (type == "SPLINE") {
        length = splineLength(record);
    }
    if (length && !std::isfinite(*length)) {
        return std::nullopt;  // coordinates beyond any drawing
    }
    return length;
}

}  // namespace takeoff
