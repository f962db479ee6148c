// Hatching: parallel lines at an angle and spacing, clipped to a region of a symbol.
#pragma once

#include <QLineF>
#include <QPointF>
#include <optional>
#include <vector>

namespace symbols {

// A bounded convex region (a disc, a convex polygon, or a disc cut by straight edges), optionally
// with a round hole.
class Region {
public:
    static Region disc(QPointF centre, double radius);
    // Corners in counter-clockwise order.
    static Region polygon(const std::vector<QPointF>& corners);

    // The part of this region on the left of the directed line from a to b.
    Region leftOf(QPointF a, QPointF b) const;
    // The part of this region between two horizontal lines.
    Region band(double yLow, double yHigh) const;
    Region withHole(QPointF centre, double radius) const;

    // The pieces of the line {p : p·normal = offset} inside the region, in the line's direction.
    std::vector<QLineF> clip(QPointF direction, double offset) const;
    // The least and greatest p·normal over the region.
    std::pair<double, double> span(QPointF normal) const;

private:
    struct Disc {
        QPointF centre;
        double radius;
    };
    struct Edge {  // the region keeps the left side of a → b
        QPointF a;
        QPointF b;
    };

    bool contains(QPointF p) const;

    std::optional<Disc> m_disc;
    std::vector<Edge> m_edges;
    std::optional<Disc> m_hole;
};

// `count` lines at `angleDegrees` to the x axis, `spacing` apart at right angles to them, each
// clipped to the region. The set is centred across the region, which gives exactly `count` lines
// whenever the region is wider than (count - 1) spacings and narrower than (count + 1).
std::vector<QLineF> hatch(const Region& region, double angleDegrees, double spacing, int count);

// Lines at `angleDegrees` placed at the given offsets along the normal (sin a, -cos a), so for
// vertical lines the offset is x and for horizontal lines it is -y.
std::vector<QLineF> hatchAt(const Region& region, double angleDegrees,
                            const std::vector<double>& offsets);

}  // namespace symbols
