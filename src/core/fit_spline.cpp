// The fit-point spline as a clamped cubic spline in Hermite form: the slopes at the fit points
// come from one tridiagonal system, and each span is sampled as finely as its curvature needs.
#include "core/fit_spline.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

using V = Vector3;

V operator+(const V& a, const V& b) {
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
V operator-(const V& a, const V& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
V operator*(double k, const V& a) {
    return {k * a[0], k * a[1], k * a[2]};
}

double length(const V& a) {
    return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
}

V cross(const V& a, const V& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// More samples per span than this would only mean a tolerance too small for doubles.
constexpr int kMaxSamplesPerSpan = 4096;

// The tangent direction at the start of the points (Akima's five-point rule, with the chords
// beyond the ends extrapolated); for the end, pass the points reversed and turn the result.
V estimatedStartTangent(const std::vector<V>& p) {
    if (p.size() < 3) {
        return p[1] - p[0];
    }
    const V q1 = p[1] - p[0];
    const V q2 = p[2] - p[1];
    const V q0 = 2.0 * q1 - q2;
    const V qm1 = 2.0 * q0 - q1;
    const double v1 = length(cross(qm1, q0));
    const double v2 = length(cross(q1, q2));
    const double alpha = v1 + v2 > 0 ? v1 / (v1 + v2) : 0.5;
    return (1 - alpha) * q0 + alpha * q1;
}

V scaledTangent(const V& given, const std::vector<V>& points, bool atStart, double magnitude) {
    V direction = given;
    if (length(direction) == 0) {
        if (atStart) {
            direction = estimatedStartTangent(points);
        } else {
            const std::vector<V> reversed(points.rbegin(), points.rend());
            direction = -1.0 * estimatedStartTangent(reversed);
        }
    }
    const double l = length(direction);
    return l > 0 ? (magnitude / l) * direction : V{};
}

}  // namespace

std::vector<double> fitSplinePolyline(const std::vector<double>& fitPoints,
                                      const Vector3& startTangent, const Vector3& endTangent,
                                      double tolerance) {
    std::vector<V> p;
    for (std::size_t i = 0; i + 2 < fitPoints.size(); i += 3) {
        const V v{fitPoints[i], fitPoints[i + 1], fitPoints[i + 2]};
        if (p.empty() || length(v - p.back()) > 0) {
            p.push_back(v);
        }
    }
    const std::size_t n = p.size();
    std::vector<double> out;
    if (n < 2) {
        for (const V& v : p) {
            out.insert(out.end(), v.begin(), v.end());
        }
        return out;
    }
    // Parameters: chord length, normalised to [0, 1]; the end tangents are scaled to the total
    // chord length, the speed of the parameter along the curve.
    std::vector<double> h(n - 1);
    double total = 0;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        h[i] = length(p[i + 1] - p[i]);
        total += h[i];
    }
    for (double& step : h) {
        step /= total;
    }
    std::vector<V> m(n);
    m[0] = scaledTangent(startTangent, p, true, total);
    m[n - 1] = scaledTangent(endTangent, p, false, total);
    // Interior slopes from continuity of the second derivative:
    // h[i] m[i-1] + 2 (h[i-1] + h[i]) m[i] + h[i-1] m[i+1]
    //   = 3 (h[i] (p[i] - p[i-1]) / h[i-1] + h[i-1] (p[i+1] - p[i]) / h[i]),
    // solved by the Thomas algorithm (the system is diagonally dominant).
    if (n > 2) {
        std::vector<double> diagonal(n), upper(n);
        std::vector<V> rhs(n);
        for (std::size_t i = 1; i + 1 < n; ++i) {
            const double a = h[i];
            diagonal[i] = 2 * (h[i - 1] + h[i]);
            upper[i] = h[i - 1];
            rhs[i] = 3.0 * ((h[i] / h[i - 1]) * (p[i] - p[i - 1]) +
                            (h[i - 1] / h[i]) * (p[i + 1] - p[i]));
            if (i == 1) {
                rhs[i] = rhs[i] - a * m[0];
            } else {
                const double factor = a / diagonal[i - 1];
                diagonal[i] -= factor * upper[i - 1];
                rhs[i] = rhs[i] - factor * rhs[i - 1];
            }
        }
        rhs[n - 2] = rhs[n - 2] - upper[n - 2] * m[n - 1];
        for (std::size_t i = n - 2; i >= 1; --i) {
            const V next = i + 2 < n ? upper[i] * m[i + 1] : V{};
            m[i] = (1.0 / diagonal[i]) * (i + 2 < n ? rhs[i] - next : rhs[i]);
        }
    }
    // Each span as a Hermite cubic in s in [0, 1]. Its second derivative is linear in s, so its
    // largest size is at an end; k equal chords then stray at most max|C''| / (8 k^2).
    out.insert(out.end(), p[0].begin(), p[0].end());
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const V& p0 = p[i];
        const V& p1 = p[i + 1];
        const V t0 = h[i] * m[i];
        const V t1 = h[i] * m[i + 1];
        const V d0 = 6.0 * (p1 - p0) - 4.0 * t0 - 2.0 * t1;
        const V d1 = 6.0 * (p0 - p1) + 2.0 * t0 + 4.0 * t1;
        const double curvature = std::max(length(d0), length(d1));
        const double wanted = tolerance > 0 ? std::sqrt(curvature / (8 * tolerance)) : 1;
        const int samples = int(std::clamp(std::ceil(wanted), 1.0, double(kMaxSamplesPerSpan)));
        for (int k = 1; k <= samples; ++k) {
            const double s = double(k) / samples;
            const double s2 = s * s;
            const double s3 = s2 * s;
            const V v = k == samples ? p1
                                     : (2 * s3 - 3 * s2 + 1) * p0 + (s3 - 2 * s2 + s) * t0 +
                                           (-2 * s3 + 3 * s2) * p1 + (s3 - s2) * t1;
            out.insert(out.end(), v.begin(), v.end());
        }
    }
    return out;
}

}  // namespace core
