// Building blocks the symbol rows are written with: primitives, boxes, arrows and hatch lines.
#pragma once

#include <QLineF>
#include <initializer_list>

#include "symbols/symbol.h"

namespace symbols::shapes {

// The angle constants of the drawing routines, with pi cut to eight digits.
inline constexpr double kHalfTurn = 3.1415926;
inline constexpr double kQuarterTurn = 1.5707963;
inline constexpr double kThreeQuarterTurn = 4.7123889;

inline constexpr int kRed = 1;
inline constexpr int kByBlock = 0;

inline Line line(double x1, double y1, double x2, double y2) {
    return {{x1, y1}, {x2, y2}, {}, {}};
}
inline Circle circle(double x, double y, double radius) {
    return {{x, y}, radius};
}
inline Arc arc(double x, double y, double radius, double startAngle, double endAngle) {
    return {{x, y}, radius, startAngle, endAngle};
}

// Collects a symbol's primitives in drawing order.
class Drawing {
public:
    Drawing& add(Primitive p) {
        m_primitives.push_back(std::move(p));
        return *this;
    }
    Drawing& add(std::initializer_list<Primitive> list) {
        m_primitives.insert(m_primitives.end(), list.begin(), list.end());
        return *this;
    }
    Drawing& lines(const std::vector<QLineF>& segments);
    // A line from a polar point at radius r1 to radius r2, at the given angle about the origin.
    Drawing& ray(double degrees, double r1, double r2);
    // A diameter of the circle of the given radius about the origin, at the given angle.
    Drawing& diameter(double degrees, double radius) { return ray(degrees, -radius, radius); }
    // An axis-aligned box as four separate lines: bottom, top, left, right.
    Drawing& box(double left, double bottom, double right, double top);
    // An arrow from tail to tip: the shaft, then two head strokes leaving the tip.
    Drawing& arrow(QPointF tail, QPointF tip);

    Primitives take() { return std::move(m_primitives); }

private:
    Primitives m_primitives;
};

}  // namespace symbols::shapes
