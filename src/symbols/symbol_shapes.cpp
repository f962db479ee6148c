// Building blocks of the symbol rows.
#include "symbols/symbol_shapes.h"

#include <QtMath>
#include <cmath>

namespace symbols::shapes {

namespace {
constexpr double kHeadLength = 0.8;
constexpr double kHeadHalfAngle = 20;  // degrees either side of the shaft
}  // namespace

Drawing& Drawing::lines(const std::vector<QLineF>& segments) {
    for (const QLineF& s : segments) {
        add(Line{s.p1(), s.p2(), {}, {}});
    }
    return *this;
}

Drawing& Drawing::ray(double degrees, double r1, double r2) {
    const double a = qDegreesToRadians(degrees);
    const QPointF unit(std::cos(a), std::sin(a));
    return add(Line{unit * r1, unit * r2, {}, {}});
}

Drawing& Drawing::box(double left, double bottom, double right, double top) {
    return add({line(right, bottom, left, bottom), line(right, top, left, top),
                line(left, bottom, left, top), line(right, bottom, right, top)});
}

Drawing& Drawing::arrow(QPointF tail, QPointF tip) {
    add(Line{tail, tip, {}, {}});
    const QPointF back = tail - tip;
    const double shaft = std::atan2(back.y(), back.x());
    for (double side : {kHeadHalfAngle, -kHeadHalfAngle}) {
        const double a = shaft + qDegreesToRadians(side);
        add(Line{tip, tip + QPointF(std::cos(a), std::sin(a)) * kHeadLength, {}, {}});
    }
    return *this;
}

}  // namespace symbols::shapes
