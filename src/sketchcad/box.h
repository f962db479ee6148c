// An axis-aligned box in drawing coordinates (y up), empty until a point is added.
#pragma once

#include <QPointF>
#include <algorithm>
#include <limits>

namespace sketchcad {

// Unlike QRectF, a box of zero width or height (a horizontal line's) still counts as a box.
struct Box {
    double minX = std::numeric_limits<double>::max();
    double minY = std::numeric_limits<double>::max();
    double maxX = -std::numeric_limits<double>::max();
    double maxY = -std::numeric_limits<double>::max();

    static Box of(QPointF a, QPointF b) {
        Box r;
        r.add(a);
        r.add(b);
        return r;
    }
    bool isEmpty() const { return minX > maxX; }
    void add(QPointF p) {
        minX = std::min(minX, p.x());
        minY = std::min(minY, p.y());
        maxX = std::max(maxX, p.x());
        maxY = std::max(maxY, p.y());
    }
    void add(const Box& b) {
        if (!b.isEmpty()) {
            add(QPointF(b.minX, b.minY));
            add(QPointF(b.maxX, b.maxY));
        }
    }
    bool intersects(const Box& b) const {
        return !isEmpty() && !b.isEmpty() && minX <= b.maxX && b.minX <= maxX && minY <= b.maxY &&
               b.minY <= maxY;
    }
    bool contains(const Box& b) const {
        return !b.isEmpty() && minX <= b.minX && b.maxX <= maxX && minY <= b.minY && b.maxY <= maxY;
    }
    bool contains(QPointF p) const {
        return minX <= p.x() && p.x() <= maxX && minY <= p.y() && p.y() <= maxY;
    }
    double width() const { return isEmpty() ? 0 : maxX - minX; }
    double height() const { return isEmpty() ? 0 : maxY - minY; }
    QPointF center() const { return {(minX + maxX) / 2, (minY + maxY) / 2}; }
};

}  // namespace sketchcad
