// Curve sampling and dashing.
#include "sketchcad/curves.h"

#include <QLineF>
#include <cmath>
#include <numbers>

namespace sketchcad {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

QPointF onCircle(QPointF c, double r, double a) {
    return {c.x() + r * std::cos(a), c.y() + r * std::sin(a)};
}

}  // namespace

std::vector<QPointF> arcPoints(QPointF center, double radius, double startAngle, double endAngle) {
    double sweep = std::fmod(endAngle - startAngle, kTwoPi);
    if (sweep <= 1e-12) {
        sweep += kTwoPi;
    }
    // A chord of angle s strays r(1 - cos(s/2)) from the arc: keep that under r/500.
    const double maxStep = 2 * std::acos(1 - 1.0 / 500);
    const int n = std::max(4, int(std::ceil(sweep / maxStep)));
    std::vector<QPointF> pts;
    pts.reserve(n + 1);
    // Turning a vector by a fixed step costs a multiplication, not a sine and cosine per point.
    const double c = std::cos(sweep / n);
    const double s = std::sin(sweep / n);
    double x = radius * std::cos(startAngle);
    double y = radius * std::sin(startAngle);
    for (int i = 0; i < n; ++i) {
        pts.emplace_back(center.x() + x, center.y() + y);
        const double nx = x * c - y * s;
        y = x * s + y * c;
        x = nx;
    }
    pts.push_back(onCircle(center, radius, startAngle + sweep));
    return pts;
}

std::vector<QPointF> circlePoints(QPointF center, double radius) {
    return arcPoints(center, radius, 0, kTwoPi);
}

std::vector<QPointF> splineThroughFitPoints(const std::vector<QPointF>& fit, int perSpan) {
    if (fit.size() < 3) {
        return fit;
    }
    std::vector<QPointF> pts;
    pts.reserve((fit.size() - 1) * perSpan + 1);
    const std::size_t n = fit.size();
    for (std::size_t i = 0; i + 1 < n; ++i) {
        // The ends reflect their neighbour, so the curve leaves the first point straight.
        const QPointF p1 = fit[i];
        const QPointF p2 = fit[i + 1];
        const QPointF p0 = i > 0 ? fit[i - 1] : 2 * p1 - p2;
        const QPointF p3 = i + 2 < n ? fit[i + 2] : 2 * p2 - p1;
        for (int k = 0; k < perSpan; ++k) {
            const double t = double(k) / perSpan;
            const double t2 = t * t;
            const double t3 = t2 * t;
            pts.push_back(0.5 * (2 * p1 + (p2 - p0) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2 +
                                 (3 * p1 - p0 - 3 * p2 + p3) * t3));
        }
    }
    pts.push_back(fit.back());
    return pts;
}

std::vector<QPointF> dashPolyline(const std::vector<QPointF>& points,
                                  const std::vector<double>& pattern, int maxDashes) {
    double period = 0;
    bool hasGap = false;
    for (double d : pattern) {
        period += std::abs(d);
        hasGap = hasGap || d < 0;
    }
    if (!hasGap || period <= 0 || points.size() < 2) {
        return {};
    }
    double total = 0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        total += QLineF(points[i - 1], points[i]).length();
    }
    if (total / period * pattern.size() > 2.0 * maxDashes) {
        return {};
    }
    const double dot = period / 100;
    std::vector<QPointF> dashes;
    std::size_t element = 0;
    double left = std::abs(pattern[0]);  // of the current element
    bool drawing = pattern[0] >= 0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPointF a = points[i - 1];
        const QPointF b = points[i];
        const double length = QLineF(a, b).length();
        double at = 0;
        while (at < length) {
            const double elementLength = left > 0 ? left : (pattern[element] == 0 ? dot : 0);
            const double step = std::min(elementLength, length - at);
            const QPointF from = a + (b - a) * (at / length);
            const QPointF to = a + (b - a) * ((at + step) / length);
            if (drawing && step > 0) {
                dashes.push_back(from);
                dashes.push_back(to);
            }
            at += step;
            left = elementLength - step;
            if (left <= 1e-12) {
                element = (element + 1) % pattern.size();
                left = std::abs(pattern[element]);
                drawing = pattern[element] >= 0;
                if (pattern[element] == 0) {
                    left = dot;
                }
            }
            if (length - at <= 1e-12) {
                break;
            }
        }
    }
    return dashes;
}

}  // namespace sketchcad
