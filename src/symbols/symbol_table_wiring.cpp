// The switches, sockets and push buttons of the library.
#include "symbols/hatching.h"
#include "symbols/symbol_groups.h"
#include "symbols/symbol_shapes.h"

using namespace Qt::StringLiterals;

namespace symbols::groups {

namespace {

using namespace shapes;

const QPointF kOrigin(0, 0);

Symbol row(int index, QString name, Pick pick, Drawing& drawing) {
    return {index, std::move(name), pick, {}, Plane::Picked, drawing.take()};
}

// Switches: a circle r 1.5 on P, a lever leaving it up-left, and one stroke per pole hanging off
// the lever on its right, the first at the lever's end.
enum class SwitchBody { Plain, Concealed, Explosionproof };

Symbol wallSwitch(int index, QString name, SwitchBody body, int poles) {
    const Region disc = Region::disc(kOrigin, 1.5);
    Drawing d;
    d.add(circle(0, 0, 1.5));
    if (body == SwitchBody::Concealed) {
        d.lines(hatch(disc, 45, 0.3, 10));
    } else if (body == SwitchBody::Explosionproof) {
        d.lines(hatch(disc.leftOf({-1, -1}, {1, 1}), 45, 0.3, 5));
    }
    const Line strokes[] = {line(-4.027, 5.172, -2.411, 6.372), line(-1.517, 5.167, -3.133, 3.967),
                            line(-0.623, 3.963, -2.239, 2.763)};
    d.add(line(-1.011, 1.108, -4.027, 5.172));
    for (int i = 0; i < poles; ++i) {
        d.add(strokes[i]);
    }
    return row(index, std::move(name), Pick::CircleCentre, d);
}

// Sockets: a half circle r 3.25 standing on its base line at P, a stem up from the top, with or
// without a bar across the top, and the three-phase kind with two strokes leaving the arc.
enum class SocketBody { Plain, Concealed, Explosionproof };
enum class SocketTop { Bar, Open, BarAndStrokes };

Symbol socket(int index, QString name, SocketBody body, SocketTop top) {
    Drawing d;
    d.add({arc(0, 0, 3.25, 0, kHalfTurn), line(-3.25, 0, 3.25, 0)});
    if (top != SocketTop::Open) {
        d.add(line(-3.063, 3.25, 3.063, 3.25));
    }
    // The explosion-proof stem runs down to the base, dividing the hatched half from the plain.
    d.add(body == SocketBody::Explosionproof ? line(0, 0, 0, 5.249) : line(0, 3.249, 0, 5.249));
    if (top == SocketTop::BarAndStrokes) {
        d.add({line(-2.276, 2.32, -3.758, 4.07), line(2.276, 2.32, 3.758, 4.07)});
    }
    const Region half = Region::disc(kOrigin, 3.25).leftOf(kOrigin, {1, 0});
    if (body == SocketBody::Concealed) {
        d.lines(hatch(half, 45, 0.3, 18));
    } else if (body == SocketBody::Explosionproof) {
        d.lines(hatch(half.leftOf({0, 1}, kOrigin), 45, 0.3, 15));
    }
    return row(index, std::move(name), Pick::CircleCentre, d);
}

// Push buttons: a box 2.5 × 4 standing on P with two circles on its axis.
Drawing& buttonCircles(Drawing& d) {
    return d.add({circle(0, 1.042, 0.7), circle(0, 2.915, 0.7)});
}

}  // namespace

std::vector<Symbol> wiringDevices() {
    std::vector<Symbol> rows = {
        wallSwitch(4, u"暗装开关1"_s, SwitchBody::Concealed, 1),
        wallSwitch(5, u"暗装开关2"_s, SwitchBody::Concealed, 2),
        wallSwitch(6, u"暗装开关3"_s, SwitchBody::Concealed, 3),
        wallSwitch(24, u"防爆开关1"_s, SwitchBody::Explosionproof, 1),
        wallSwitch(25, u"防爆开关2"_s, SwitchBody::Explosionproof, 2),
        wallSwitch(26, u"防爆开关3"_s, SwitchBody::Explosionproof, 3),
        wallSwitch(46, u"明开关1"_s, SwitchBody::Plain, 1),
        wallSwitch(47, u"明开关2"_s, SwitchBody::Plain, 2),
        wallSwitch(48, u"明开关3"_s, SwitchBody::Plain, 3),
        wallSwitch(64, u"一般开关"_s, SwitchBody::Plain, 0),
        socket(1, u"暗装插座1"_s, SocketBody::Concealed, SocketTop::Bar),
        socket(2, u"暗装插座2"_s, SocketBody::Concealed, SocketTop::Open),
        socket(3, u"暗装插座3"_s, SocketBody::Concealed, SocketTop::BarAndStrokes),
        socket(19, u"防爆插座1"_s, SocketBody::Explosionproof, SocketTop::Bar),
        socket(20, u"防爆插座2"_s, SocketBody::Explosionproof, SocketTop::Open),
        socket(21, u"防爆插座3"_s, SocketBody::Explosionproof, SocketTop::BarAndStrokes),
        socket(43, u"明插座1"_s, SocketBody::Plain, SocketTop::Bar),
        socket(44, u"明插座2"_s, SocketBody::Plain, SocketTop::Open),
        socket(45, u"明插座3"_s, SocketBody::Plain, SocketTop::BarAndStrokes),
    };
    {
        Drawing d;
        d.add({circle(0, 0, 1.5), line(-1.011, 1.108, -4.027, 5.172),
               line(-5.494, 4.064, -2.651, 6.213)});
        rows.push_back(row(14, u"吊扇开关"_s, Pick::CircleCentre, d));
    }
    {
        Drawing d;
        d.add({circle(0, 0, 1.5), line(0.799, 1.269, 3.913, 5.259), line(3.913, 5.259, 5.5, 4.02)})
            .arrow({3.913, 5.259}, {4.236, 2.254});
        rows.push_back(row(40, u"拉线开关"_s, Pick::CircleCentre, d));
    }
    {
        Drawing d;
        d.box(-1.25, 0, 1.25, 4);
        buttonCircles(d).add({line(-1.25, 4, 0, 5), line(1.25, 4, 0, 5)});
        d.lines(hatch(Region::polygon({{-1.25, 4}, {1.25, 4}, {0, 5}}), 45, 0.1, 18));
        rows.push_back(row(18, u"防爆按钮"_s, Pick::BottomCentre, d));
    }
    {
        // The walls rise past the line at 4 to a lid at 5.
        Drawing d;
        d.add({line(1.25, 0, -1.25, 0), line(1.25, 4, -1.25, 4), line(-1.25, 0, -1.25, 5),
               line(1.25, 0, 1.25, 5), line(1.25, 5, -1.25, 5)});
        buttonCircles(d);
        rows.push_back(row(42, u"密闭按钮"_s, Pick::BottomCentre, d));
    }
    {
        Drawing d;
        d.box(-1.25, 0, 1.25, 4);
        buttonCircles(d);
        rows.push_back(row(62, u"一般按钮"_s, Pick::BottomCentre, d));
    }
    return rows;
}

}  // namespace symbols::groups
