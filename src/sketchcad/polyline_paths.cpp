// Polyline paths: bulged vertices as arcs, and the bands that widths cover.
#include "sketchcad/polyline_paths.h"

#include <QLineF>
#include <algorithm>
#include <cmath>

#include "sketchcad/curves.h"

namespace sketchcad {

namespace {

// One segment of a polyline from a to b, both ends included: a straight line, or the arc a
// bulge gives (tangent of a quarter of its angle, positive counter-clockwise).
struct Segment {
    std::vector<QPointF> points;
    QPointF centre;
    int turn = 0;  // 0 straight, 1 counter-clockwise, -1 clockwise
};

Segment segment(QPointF a, QPointF b, double bulge) {
    if (bulge == 0 || a == b) {
        return {{a, b}, {}, 0};
    }
    const double angle = 4 * std::atan(bulge);
    const QPointF chord = b - a;
    const double length = std::hypot(chord.x(), chord.y());
    const double radius = length / (2 * std::sin(std::abs(angle) / 2));
    // The centre lies off the chord's middle, to the left for a positive bulge.
    const QPointF mid = (a + b) / 2;
    const QPointF normal(-chord.y() / length, chord.x() / length);
    const double offset = radius * std::cos(angle / 2) * (angle > 0 ? 1 : -1);
    Segment s{{}, mid + normal * offset, angle > 0 ? 1 : -1};
    const double a0 = std::atan2(a.y() - s.centre.y(), a.x() - s.centre.x());
    const double a1 = std::atan2(b.y() - s.centre.y(), b.x() - s.centre.x());
    if (angle > 0) {
        s.points = arcPoints(s.centre, radius, a0, a1);
    } else {
        s.points = arcPoints(s.centre, radius, a1, a0);
        std::reverse(s.points.begin(), s.points.end());
    }
    // The vertices themselves, exactly.
    s.points.front() = a;
    s.points.back() = b;
    return s;
}

}  // namespace

std::vector<QPointF> polylinePath(const std::vector<Vertex>& vertices, bool closed) {
    std::vector<QPointF> pts;
    const std::size_t n = vertices.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& v = vertices[i];
        pts.push_back(v.at);
        const bool last = i + 1 == n;
        if (last && !closed) {
            break;
        }
        if (v.bulge != 0) {
            const Segment s = segment(v.at, vertices[last ? 0 : i + 1].at, v.bulge);
            pts.insert(pts.end(), s.points.begin() + 1, s.points.end() - 1);
        }
        if (last) {
            pts.push_back(vertices[0].at);
        }
    }
    return pts;
}

namespace {

// A segment's band: its two edges, left and right of the way along.
struct Band {
    std::size_t segment;
    std::vector<QPointF> left;
    std::vector<QPointF> right;
};

double cross(QPointF a, QPointF b) {
    return a.x() * b.y() - a.y() * b.x();
}

double signedArea(const std::vector<QPointF>& loop) {
    double area = 0;
    for (std::size_t i = 0; i < loop.size(); ++i) {
        area += cross(loop[i], loop[(i + 1) % loop.size()]);
    }
    return area / 2;
}

// The corner that closes the gap on the outside of a bend between two bands, mitred as CAD
// programs join wide polylines unless the mitre runs far out on a sharp bend; empty where the
// bands run straight on.
std::vector<QPointF> joint(const Band& a, const Band& b, QPointF at) {
    const QPointF endDirection = a.left.back() - a.left[a.left.size() - 2];
    const QPointF startDirection = b.left[1] - b.left[0];
    const double turn = cross(endDirection, startDirection);
    if (std::abs(turn) <= 1e-9 * QLineF(QPointF(), endDirection).length() *
                              QLineF(QPointF(), startDirection).length()) {
        return {};
    }
    const bool left = turn < 0;  // a right turn opens the gap on the left
    const QPointF from = left ? a.left.back() : a.right.back();
    const QPointF to = left ? b.left.front() : b.right.front();
    const QPointF mitre = from + endDirection * (cross(to - from, startDirection) / turn);
    const double reach = std::max(QLineF(at, from).length(), QLineF(at, to).length());
    if (QLineF(at, mitre).length() <= 4 * reach) {
        return {at, from, mitre, to};
    }
    return {at, from, to};
}

}  // namespace

std::vector<std::vector<QPointF>> polylineWidthAreas(const std::vector<Vertex>& vertices,
                                                     bool closed) {
    const std::size_t n = vertices.size();
    const std::size_t segments = closed ? n : n - std::min<std::size_t>(n, 1);
    std::vector<Band> bands;
    for (std::size_t i = 0; i < segments; ++i) {
        const Vertex& v = vertices[i];
        if (v.startWidth <= 0 && v.endWidth <= 0) {
            continue;
        }
        const Segment s = segment(v.at, vertices[(i + 1) % n].at, v.bulge);
        const std::size_t m = s.points.size();
        Band band{i, {}, {}};
        for (std::size_t k = 0; k < m; ++k) {
            const QPointF p = s.points[k];
            QPointF side;  // unit vector to the left of the way along
            if (s.turn == 0) {
                const QPointF d = s.points[1] - s.points[0];
                const double length = std::hypot(d.x(), d.y());
                if (length == 0) {
                    break;
                }
                side = QPointF(-d.y(), d.x()) / length;
            } else {
                const QPointF r = p - s.centre;
                side = r / std::hypot(r.x(), r.y()) * -s.turn;
            }
            const double t = m > 1 ? double(k) / double(m - 1) : 0;
            const double half = (v.startWidth + (v.endWidth - v.startWidth) * t) / 2;
            band.left.push_back(p + side * half);
            band.right.push_back(p - side * half);
        }
        if (band.left.size() >= 2) {
            bands.push_back(std::move(band));
        }
    }
    std::vector<std::vector<QPointF>> areas;
    for (const Band& band : bands) {
        std::vector<QPointF> loop = band.left;
        loop.insert(loop.end(), band.right.rbegin(), band.right.rend());
        areas.push_back(std::move(loop));
    }
    if (areas.empty()) {
        return areas;
    }
    // Every loop turns the way the first band does, so that the non-zero rule joins them.
    const bool clockwise = signedArea(areas.front()) < 0;
    for (std::size_t j = 0; j < bands.size(); ++j) {
        const Band& a = bands[j];
        const Band& b = bands[(j + 1) % bands.size()];
        const bool next =
            b.segment == a.segment + 1 || (closed && a.segment + 1 == segments && b.segment == 0);
        if (!next) {
            continue;
        }
        std::vector<QPointF> corner = joint(a, b, vertices[b.segment].at);
        if (corner.size() >= 3) {
            if ((signedArea(corner) < 0) != clockwise) {
                std::reverse(corner.begin(), corner.end());
            }
            areas.push_back(std::move(corner));
        }
    }
    return areas;
}

}  // namespace sketchcad
