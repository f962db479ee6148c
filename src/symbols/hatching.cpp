// Hatching: exact clipping of lines to discs and half-planes, and the centred line set.
#include "symbols/hatching.h"

#include <QtMath>
#include <algorithm>
#include <cmath>
#include <limits>

namespace symbols {

namespace {

constexpr double kTolerance = 1e-9;

double dot(QPointF a, QPointF b) {
    return a.x() * b.x() + a.y() * b.y();
}
double cross(QPointF a, QPointF b) {
    return a.x() * b.y() - a.y() * b.x();
}

// Exact for the right angles, so vertical and horizontal hatch lines keep their x or y exactly.
QPointF directionOf(double angleDegrees) {
    const double a = qDegreesToRadians(angleDegrees);
    const auto snap = [](double v) { return std::abs(v) < 1e-15 ? 0.0 : v; };
    return {snap(std::cos(a)), snap(std::sin(a))};
}

QPointF normalOf(QPointF direction) {
    return {direction.y(), -direction.x()};
}

// Parameters t where origin + t·direction meets the circle, if it does.
std::optional<std::pair<double, double>> circleHits(QPointF origin, QPointF direction,
                                                    QPointF centre, double radius) {
    const QPointF rel = origin - centre;
    const double b = dot(rel, direction);
    const double c = dot(rel, rel) - radius * radius;
    const double disc = b * b - c;
    if (disc < 0) {
        return std::nullopt;
    }
    const double root = std::sqrt(disc);
    return std::pair{-b - root, -b + root};
}

}  // namespace

Region Region::disc(QPointF centre, double radius) {
    Region r;
    r.m_disc = Disc{centre, radius};
    return r;
}

Region Region::polygon(const std::vector<QPointF>& corners) {
    Region r;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        r.m_edges.push_back({corners[i], corners[(i + 1) % corners.size()]});
    }
    return r;
}

Region Region::leftOf(QPointF a, QPointF b) const {
    Region r = *this;
    r.m_edges.push_back({a, b});
    return r;
}

Region Region::band(double yLow, double yHigh) const {
    return leftOf({0, yLow}, {1, yLow}).leftOf({1, yHigh}, {0, yHigh});
}

Region Region::withHole(QPointF centre, double radius) const {
    Region r = *this;
    r.m_hole = Disc{centre, radius};
    return r;
}

bool Region::contains(QPointF p) const {
    if (m_disc && QLineF(p, m_disc->centre).length() > m_disc->radius + kTolerance) {
        return false;
    }
    return std::all_of(m_edges.begin(), m_edges.end(), [p](const Edge& e) {
        return cross(e.b - e.a, p - e.a) >= -kTolerance * QLineF(e.a, e.b).length();
    });
}

std::vector<QLineF> Region::clip(QPointF direction, double offset) const {
    const QPointF origin = normalOf(direction) * offset;
    double lo = -std::numeric_limits<double>::infinity();
    double hi = std::numeric_limits<double>::infinity();
    if (m_disc) {
        const auto hits = circleHits(origin, direction, m_disc->centre, m_disc->radius);
        if (!hits) {
            return {};
        }
        lo = hits->first;
        hi = hits->second;
    }
    for (const Edge& e : m_edges) {
        const QPointF along = e.b - e.a;
        const double rate = cross(along, direction);  // how fast the left-side measure grows
        const double at = cross(along, origin - e.a);
        if (rate == 0) {
            if (at < 0) {
                return {};
            }
            continue;
        }
        const double t = -at / rate;
        if (rate > 0) {
            lo = std::max(lo, t);
        } else {
            hi = std::min(hi, t);
        }
    }
    std::vector<std::pair<double, double>> pieces;
    const auto hole =
        m_hole ? circleHits(origin, direction, m_hole->centre, m_hole->radius) : std::nullopt;
    // A line that only touches the hole goes on unbroken.
    if (hole && hole->second - hole->first > kTolerance && hole->first < hi && hole->second > lo) {
        pieces = {{lo, hole->first}, {hole->second, hi}};
    } else {
        pieces = {{lo, hi}};
    }
    std::vector<QLineF> lines;
    for (const auto& [from, to] : pieces) {
        if (to - from > kTolerance) {
            lines.emplace_back(origin + direction * from, origin + direction * to);
        }
    }
    return lines;
}

std::pair<double, double> Region::span(QPointF normal) const {
    // The extremes of a bounded convex region lie at a corner of two edges, where an edge meets
    // the circle, or where the circle itself is extreme.
    std::vector<QPointF> candidates;
    if (m_disc) {
        candidates.push_back(m_disc->centre + normal * m_disc->radius);
        candidates.push_back(m_disc->centre - normal * m_disc->radius);
    }
    for (std::size_t i = 0; i < m_edges.size(); ++i) {
        const Edge& e = m_edges[i];
        const QPointF d = e.b - e.a;
        const double len = QLineF(e.a, e.b).length();
        if (m_disc) {
            if (const auto hits = circleHits(e.a, d / len, m_disc->centre, m_disc->radius)) {
                candidates.push_back(e.a + d / len * hits->first);
                candidates.push_back(e.a + d / len * hits->second);
            }
        }
        for (std::size_t j = i + 1; j < m_edges.size(); ++j) {
            const Edge& f = m_edges[j];
            const double denom = cross(d, f.b - f.a);
            if (denom != 0) {
                candidates.push_back(e.a + d * (cross(f.a - e.a, f.b - f.a) / denom));
            }
        }
    }
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (const QPointF& p : candidates) {
        if (contains(p)) {
            lo = std::min(lo, dot(p, normal));
            hi = std::max(hi, dot(p, normal));
        }
    }
    Q_ASSERT(lo <= hi);
    return {lo, hi};
}

std::vector<QLineF> hatch(const Region& region, double angleDegrees, double spacing, int count) {
    const auto [lo, hi] = region.span(normalOf(directionOf(angleDegrees)));
    Q_ASSERT((count - 1) * spacing < hi - lo && hi - lo < (count + 1) * spacing);
    const double middle = (lo + hi) / 2;
    std::vector<double> offsets;
    for (int k = 0; k < count; ++k) {
        offsets.push_back(middle + (k - (count - 1) / 2.0) * spacing);
    }
    return hatchAt(region, angleDegrees, offsets);
}

std::vector<QLineF> hatchAt(const Region& region, double angleDegrees,
                            const std::vector<double>& offsets) {
    const QPointF direction = directionOf(angleDegrees);
    std::vector<QLineF> lines;
    for (double offset : offsets) {
        const auto pieces = region.clip(direction, offset);
        lines.insert(lines.end(), pieces.begin(), pieces.end());
    }
    return lines;
}

}  // namespace symbols
