// The riser marks, the north arrow, the earthing detail, the buried cable and the signature entry.
#include "symbols/hatching.h"
#include "symbols/symbol_groups.h"
#include "symbols/symbol_shapes.h"

using namespace Qt::StringLiterals;

namespace symbols::groups {

namespace {

using namespace shapes;

Symbol row(int index, QString name, Pick pick, Drawing& drawing) {
    return {index, std::move(name), pick, {}, Plane::Picked, drawing.take()};
}

// Riser marks: a hatched circle with an arrow up-right, down-left or both. An arrow pointing
// away from the circle says the line leaves here; one pointing at it says it arrives.
const QPointF kUpNear(0.596, 1.155);
const QPointF kUpFar(2.374, 4.638);
const QPointF kDownNear(-0.586, -1.161);
const QPointF kDownFar(-2.364, -4.643);

enum class Way { Away, In };

struct RiserArrow {
    QPointF nearEnd;
    QPointF farEnd;
    Way way;
};

Symbol riser(int index, QString name, std::initializer_list<RiserArrow> arrows) {
    Drawing d;
    d.add(circle(0, 0, 1.3)).lines(hatch(Region::disc({0, 0}, 1.3), 18, 0.3, 9));
    for (const RiserArrow& a : arrows) {
        if (a.way == Way::Away) {
            d.arrow(a.nearEnd, a.farEnd);
        } else {
            d.arrow(a.farEnd, a.nearEnd);
        }
    }
    return row(index, std::move(name), Pick::CircleCentre, d);
}

RiserArrow up(Way way) {
    return {kUpNear, kUpFar, way};
}
RiserArrow down(Way way) {
    return {kDownNear, kDownFar, way};
}

Line centreLine(double x1, double y1, double x2, double y2) {
    return {{x1, y1}, {x2, y2}, {}, u"CENTER"_s};
}

Text dimensionText(QString text, double x, double y) {
    return {std::move(text), {x, y}, 3.5, 0.8, {}};
}

}  // namespace

std::vector<Symbol> marks() {
    std::vector<Symbol> rows = {
        riser(70, u"由此引上符"_s, {up(Way::Away)}),
        riser(71, u"由此引上引下符"_s, {up(Way::Away), down(Way::Away)}),
        riser(72, u"由此引下符"_s, {down(Way::Away)}),
        riser(73, u"由上引来符"_s, {up(Way::In)}),
        riser(74, u"由上引下再引下符"_s, {up(Way::In), down(Way::Away)}),
        riser(75, u"由下引来符"_s, {down(Way::In)}),
        riser(76, u"由下引上再引上符"_s, {down(Way::In), up(Way::Away)}),
    };
    {
        // The needle's two halves are filled alike, from its sides down to the circle.
        const QPointF top(0, 12);
        const QPointF left(-2.626, -11.709);
        const QPointF right(2.626, -11.709);
        const Region needle = Region::disc({0, 0}, 12).leftOf(top, left).leftOf(right, top);
        Drawing d;
        d.add({circle(0, 0, 12), Line{top, right, {}, {}}, Line{top, left, {}, {}}})
            .lines(
                hatchAt(needle, 90, {-2.144, -1.519, -0.894, -0.269, 0.269, 0.894, 1.519, 2.144}))
            .add(Text{u"建北"_s, {-3.286, 13.67}, 5, 0.75, {}});
        rows.push_back(row(35, u"建北"_s, Pick::CircleCentre, d));
    }
    {
        // Three electrodes 50 apart on y = 30 joined by the conductor, the spacing dimension
        // above them and the depth dimension at the right.
        Drawing d;
        d.add({circle(0, 30, 1.5),
               circle(-50, 30, 1.5),
               circle(50, 30, 1.5),
               centreLine(-48.500581, 30, -1.499419, 30),
               centreLine(1.499419, 30, 48.500581, 30),
               line(-44.262511, 29.290796, -42.848298, 30.705010),
               line(-25.586340, 29.290796, -24.172126, 30.705010),
               line(-6.761895, 29.290796, -5.347681, 30.705010),
               line(5.737489, 29.290796, 7.151702, 30.705010),
               line(24.413660, 29.290796, 25.827874, 30.705010),
               line(43.238105, 29.290796, 44.652319, 30.705010),
               line(-53.746650, 39.626942, 53.947334, 39.626942),
               line(-50, 36.879425, -50, 44.978693),
               line(0, 36.879425, 0, 44.978693),
               line(50, 36.879425, 50, 44.978693),
               line(-50.707107, 38.919835, -49.292893, 40.334049),
               line(-0.707107, 38.919835, 0.707107, 40.334049),
               line(49.292893, 38.919835, 50.707107, 40.334049),
               line(57.583053, 30, 68.049669, 30),
               line(57.583053, 0, 68.049669, 0),
               line(63.852660, -5.393618, 63.852660, 33.627896),
               line(64.530912, 29.310533, 63.116699, 30.724746),
               line(64.530912, -0.689467, 63.116699, 0.724746),
               dimensionText(u"-40X4"_s, -27.444472, 32.190683),
               dimensionText(u"R≤10Ω"_s, 21.765639, 32.736836),
               dimensionText(u"5000"_s, -25.934280, 41.041350),
               dimensionText(u"5000"_s, 24.065720, 41.041350),
               Text{u"≥3000"_s, {62.438251, 10.598975}, 3.5, 0.8, kQuarterTurn}});
        Symbol s = row(38, u"接地装置"_s, Pick::BelowMiddleElectrode, d);
        s.linetype = u"CENTER"_s;
        rows.push_back(std::move(s));
    }
    rows.push_back({50, u"签名"_s, Pick::Nothing, {}, Plane::Picked, {}});
    rows.push_back({51, u"嵌埋电缆"_s, Pick::CableEnds, u"HIDDEN"_s, Plane::Picked, {}});
    return rows;
}

}  // namespace symbols::groups
