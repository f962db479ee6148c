// The lamps and fans of the library.
#include <cmath>

#include "symbols/hatching.h"
#include "symbols/symbol_groups.h"
#include "symbols/symbol_shapes.h"

using namespace Qt::StringLiterals;

namespace symbols::groups {

namespace {

using namespace shapes;

// The arc angles of the fan blades (37.61°, 142.39°, 217.61°, 322.39° and the same turned by
// 90°). Each leaf is two arcs through the hub and the blade tip.
constexpr double kLeafUpFrom = 0.65641733;
constexpr double kLeafUpTo = 2.48517527;
constexpr double kLeafDownFrom = 3.79800993;
constexpr double kLeafDownTo = 5.62676787;
constexpr double kLeafLeftFrom = 2.22721363;
constexpr double kLeafLeftTo = 4.05597157;
constexpr double kLeafRightFrom = 5.36880623;
constexpr double kLeafRightTo = 0.91437897;

const QPointF kOrigin(0, 0);
const QPointF kRight(1, 0);

Symbol row(int index, QString name, Pick pick, Drawing& drawing) {
    return {index, std::move(name), pick, {}, Plane::Picked, drawing.take()};
}

Symbol fluorescent(int index, QString name, std::initializer_list<double> tubes, double barHalf) {
    Drawing d;
    for (double y : tubes) {
        d.add(line(-5, y, 5, y));
    }
    d.add({line(-5, -barHalf, -5, barHalf), line(5, -barHalf, 5, barHalf)});
    return {index, std::move(name), Pick::Centre, {}, Plane::Ground, d.take()};
}

}  // namespace

std::vector<Symbol> lampsAndFans() {
    std::vector<Symbol> rows;
    const Region lamp = Region::disc(kOrigin, 3.25);
    const Region upperHalf = lamp.leftOf(kOrigin, kRight);

    {
        const double chord = std::sqrt(3.25 * 3.25 - 1.02 * 1.02);
        Drawing d;
        d.add({circle(0, 0, 3.25), line(-chord, 1.02, chord, 1.02),
               line(-chord, -1.02, chord, -1.02)})
            .lines(hatch(lamp.band(-1.02, 1.02), 45, 0.3, 19));
        rows.push_back(row(0, u"安全灯"_s, Pick::CircleCentre, d));
    }
    {
        Drawing d;
        d.add({circle(3.25, 0, 3.25), line(0, 0, 6.5, 0)})
            .lines(hatch(Region::disc({3.25, 0}, 3.25).leftOf(kOrigin, kRight), 45, 0.6, 9));
        rows.push_back(row(7, u"壁灯"_s, Pick::CircleLeftEnd, d));
    }
    {
        // Each leaf touches the hub: the arc ends meet at P and 2 × 3 cos 37.61° out.
        const double cx = 3 * std::cos(kLeafUpFrom);
        const double cy = 3 * std::sin(kLeafUpFrom);
        Drawing d;
        d.add({arc(-cx, -cy, 3, kLeafUpFrom, kLeafUpTo),
               arc(-cx, cy, 3, kLeafDownFrom, kLeafDownTo), arc(cx, -cy, 3, kLeafUpFrom, kLeafUpTo),
               arc(cx, cy, 3, kLeafDownFrom, kLeafDownTo)});
        rows.push_back(row(13, u"吊扇"_s, Pick::CircleCentre, d));
    }
    {
        Drawing d;
        d.add({circle(0, 0, 3.25), circle(0, 0, 1.5)})
            .lines(hatch(lamp.withHole(kOrigin, 1.5), 90, 0.5, 13));
        rows.push_back(row(22, u"防爆灯1"_s, Pick::CircleCentre, d));
    }
    {
        Drawing d;
        d.add({line(0, 0, 12, 0), line(0, -1.5, 0, 1.5), line(12, -1.5, 12, 1.5),
               line(12, 1.5, 9, 0), line(12, -1.5, 9, 0)})
            .lines(
                hatchAt(Region::polygon({{9, 0}, {12, -1.5}, {12, 1.5}}), 0, {-1, -0.5, 0.5, 1}));
        rows.push_back(row(23, u"防爆灯2"_s, Pick::LeftEnd, d));
    }
    {
        Drawing d;
        d.add({circle(0, 0, 3.25), circle(0, 0, 1.5)});
        for (double a : {45, 135, 225, 315}) {
            d.ray(a, 1.5, 3.25);
        }
        d.lines(hatch(Region::disc(kOrigin, 1.5), 45, 0.3, 10));
        rows.push_back(row(27, u"防水灯"_s, Pick::CircleCentre, d));
    }
    {
        // Four blades, each a leaf from the hub to a tip inside the ring.
        const double a = 1.985 * std::cos(kLeafUpFrom);
        const double b = 1.985 * std::sin(kLeafUpFrom);
        Drawing d;
        d.add({circle(0, 0, 3.25), arc(a, -b, 1.985, kLeafUpFrom, kLeafUpTo),
               arc(a, b, 1.985, kLeafDownFrom, kLeafDownTo),
               arc(b, a, 1.985, kLeafLeftFrom, kLeafLeftTo),
               arc(-b, a, 1.985, kLeafRightFrom, kLeafRightTo),
               arc(-a, b, 1.985, kLeafDownFrom, kLeafDownTo),
               arc(-a, -b, 1.985, kLeafUpFrom, kLeafUpTo),
               arc(-b, -a, 1.985, kLeafRightFrom, kLeafRightTo),
               arc(b, -a, 1.985, kLeafLeftFrom, kLeafLeftTo)});
        rows.push_back(row(28, u"风机"_s, Pick::CircleCentre, d));
    }
    {
        Drawing d;
        d.add(circle(0, 0, 3.25)).ray(225, 0, 3.25).ray(315, 0, 3.25);
        rows.push_back(row(33, u"广照灯"_s, Pick::CircleCentre, d));
    }
    {
        Drawing d;
        d.add(circle(0, 0, 3.25))
            .diameter(0, 3.25)
            .diameter(90, 3.25)
            .diameter(45, 3.25)
            .diameter(135, 3.25);
        rows.push_back(row(34, u"花灯"_s, Pick::CircleCentre, d));
    }
    {
        Drawing d;
        d.add({circle(0, 0, 2.5), line(0, -2.5, 0, -5.539), line(0.294, -3.845, -0.282, -3.845),
               line(-0.282, -3.845, 0, -5.539), line(0, -5.539, 0.294, -3.845)});
        rows.push_back(row(41, u"路灯"_s, Pick::CircleCentre, d));
    }
    {
        Drawing d;
        d.add({circle(0, 0, 3.25), line(0, 3.25, -1.625, -2.815), line(0, 3.25, 1.625, -2.815)});
        rows.push_back(row(54, u"深照灯"_s, Pick::CircleCentre, d));
    }
    {
        Drawing d;
        d.add(circle(0, 0, 1.5))
            .lines(hatchAt(Region::disc(kOrigin, 1.5), 90, {-1.015, -0.515, 0, 0.515, 1.015}));
        for (double a : {45, 135, 225, 315}) {
            d.ray(a, 1.5, 3.2);
        }
        rows.push_back(row(55, u"事故灯"_s, Pick::CircleCentre, d));
    }
    {
        Drawing d;
        d.add({line(-1.561, 0, 0, 0), circle(-4.31, 0, 1.778), arc(-4.31, 0, 2.749, kHalfTurn, 0)});
        rows.push_back(row(57, u"弯灯"_s, Pick::LineRightEnd, d));
    }
    {
        Drawing d;
        d.add({arc(0, 0, 3.25, 0, kHalfTurn), line(-3.25, 0, 3.25, 0)})
            .lines(hatch(upperHalf, 45, 0.3, 18));
        rows.push_back(row(59, u"吸顶灯"_s, Pick::CircleCentre, d));
    }
    {
        Drawing d;
        d.add(circle(0, 0, 3.25)).diameter(45, 3.25).diameter(135, 3.25);
        rows.push_back(row(63, u"一般灯具"_s, Pick::CircleCentre, d));
    }
    rows.push_back(fluorescent(67, u"荧光灯1"_s, {0}, 1));
    rows.push_back(fluorescent(68, u"荧光灯2"_s, {1, -1}, 1.8));
    rows.push_back(fluorescent(69, u"荧光灯3"_s, {1, 0, -1}, 1.8));
    return rows;
}

}  // namespace symbols::groups
