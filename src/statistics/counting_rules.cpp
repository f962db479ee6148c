// The kind rules, the segment lengths and the single-precision total.
#include "statistics/counting_rules.h"

#include <cmath>
#include <limits>

#include "core/geometry.h"

namespace statistics {

namespace {

using namespace Qt::StringLiterals;

// A value beyond the float range becomes infinite explicitly (a plain conversion would be
// undefined), and the result check turns that into the overflow failure.
float single(double v) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (v > kMax) {
        return std::numeric_limits<float>::infinity();
    }
    if (v < -kMax) {
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(v);
}

}  // namespace

Segment segmentOf(const QString& entityName) {
    static const QString kLine = u"AcDbLine"_s;
    static const QString kArc = u"AcDbArc"_s;
    if (entityName == kLine) {
        return Segment::Line;
    }
    return entityName == kArc ? Segment::Arc : Segment::None;
}

double segmentLength(const cad::Entity& entity, Segment segment) {
    if (segment == Segment::Line) {
        return core::PlanDistance(entity.StartPoint(), entity.EndPoint());
    }
    return core::ArcLength(entity.Radius(), entity.StartAngle(), entity.EndAngle());
}

bool isBlockReference(const QString& entityName) {
    static const QString kReference = u"AcDbBlockReference"_s;
    return entityName.compare(kReference, Qt::CaseInsensitive) == 0;
}

void SingleTotal::add(double length) {
    m_total = single(m_total + length);
}

std::optional<float> SingleTotal::metres(double ratio) const {
    const float metres = single(single(m_total / ratio) / 1000.0);
    if (!std::isfinite(metres)) {
        return std::nullopt;
    }
    return metres;
}

}  // namespace statistics
