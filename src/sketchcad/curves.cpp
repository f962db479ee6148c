// Curve sampling.
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

std::vector<QPointF> splineThroughControlPoints(int degree, const std::vector<double>& knots,
                                                const std::vector<QPointF>& control,
                                                const std::vector<double>& weights, int perSpan) {
    const int n = int(control.size());
    if (degree < 1 || n <= degree || int(knots.size()) != n + degree + 1) {
        return {};
    }
    const bool rational = int(weights.size()) == n;
    const double t0 = knots[degree];
    const double t1 = knots[n];
    if (!(t1 > t0)) {
        return {};
    }
    std::vector<QPointF> pts;
    const int samples = n * perSpan;
    std::vector<double> x(degree + 1), y(degree + 1), w(degree + 1);
    for (int i = 0; i <= samples; ++i) {
        const double t = i == samples ? t1 : t0 + (t1 - t0) * i / samples;
        // The knot span holding t, then de Boor's triangle in homogeneous coordinates.
        int k = degree;
        while (k < n - 1 && t >= knots[k + 1]) {
            ++k;
        }
        for (int j = 0; j <= degree; ++j) {
            const int c = k - degree + j;
            w[j] = rational ? weights[c] : 1.0;
            x[j] = control[c].x() * w[j];
            y[j] = control[c].y() * w[j];
        }
        for (int r = 1; r <= degree; ++r) {
            for (int j = degree; j >= r; --j) {
                const int c = k - degree + j;
                const double span = knots[c + degree - r + 1] - knots[c];
                const double a = span > 0 ? (t - knots[c]) / span : 0;
                x[j] = (1 - a) * x[j - 1] + a * x[j];
                y[j] = (1 - a) * y[j - 1] + a * y[j];
                w[j] = (1 - a) * w[j - 1] + a * w[j];
            }
        }
        if (w[degree] != 0) {
            pts.emplace_back(x[degree] / w[degree], y[degree] / w[degree]);
        }
    }
    return pts;
}

}  // namespace sketchcad
