// The distribution boxes and meters of the library.
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

// Every distribution box starts from the 5 × 3 outline standing on P.
Drawing boxOutline() {
    Drawing d;
    d.box(-2.5, 0, 2.5, 3);
    return d;
}

Symbol meter(int index, QString name, QString letters, QPointF at, double widthFactor) {
    Drawing d;
    d.add({circle(0, 0, 3.25), Text{std::move(letters), at, 3.5, widthFactor, {}}});
    return row(index, std::move(name), Pick::CircleCentre, d);
}

Symbol energyMeter(int index, QString name, QString unit, double widthFactor) {
    Drawing d;
    d.box(-4, 0, 4, 10)
        .add({line(-4, 7.5, 4, 7.5), Text{std::move(unit), {-3.734, 1.351}, 5, widthFactor, {}}});
    return row(index, std::move(name), Pick::BottomEdgeCentre, d);
}

}  // namespace

std::vector<Symbol> boxesAndMeters() {
    std::vector<Symbol> rows;
    {
        Drawing d = boxOutline();
        d.add(line(-2.5, 1.5, 2.5, 1.5))
            .lines(
                hatch(Region::polygon({{-2.5, 0}, {2.5, 0}, {2.5, 1.5}, {-2.5, 1.5}}), 45, 0.5, 9));
        rows.push_back(row(16, u"动力箱屏"_s, Pick::BottomEdgeCentre, d));
    }
    {
        Drawing d = boxOutline();
        d.add(line(-2.5, 0, 2.5, 3))
            .lines(hatch(Region::polygon({{-2.5, 0}, {2.5, 0}, {2.5, 3}}), 45, 0.5, 7));
        rows.push_back(row(17, u"多电源箱"_s, Pick::BottomEdgeCentre, d));
    }
    {
        Drawing d = boxOutline();
        d.add(Text{u"S"_s, {1.224, 0.896}, 2.5, 0.65, kQuarterTurn});
        rows.push_back(row(36, u"交流箱屏"_s, Pick::BottomEdgeCentre, d));
    }
    {
        Drawing d = boxOutline();
        d.add({line(-2.5, 0, 2.5, 3), line(2.5, 0, -2.5, 3)});
        rows.push_back(row(56, u"事故照明箱"_s, Pick::BottomEdgeCentre, d));
    }
    {
        Drawing d = boxOutline();
        d.add({circle(0, 1.5, 1.2), line(0.849, 0.651, -0.849, 2.349),
               line(-0.849, 0.651, 0.849, 2.349)});
        rows.push_back(row(61, u"信号箱屏"_s, Pick::BottomEdgeCentre, d));
    }
    {
        Drawing d = boxOutline();
        rows.push_back(row(65, u"一般箱屏"_s, Pick::BottomEdgeCentre, d));
    }
    {
        Drawing d = boxOutline();
        d.lines(hatch(Region::polygon({{-2.5, 0}, {2.5, 0}, {2.5, 3}, {-2.5, 3}}), 45, 0.5, 11));
        rows.push_back(row(78, u"照明箱屏"_s, Pick::BottomEdgeCentre, d));
    }
    {
        // A solid red line over a dashed one.
        Drawing d = boxOutline();
        d.add({Line{{-1.5, 2}, {1.5, 2}, kRed, {}}, Line{{-1.5, 1}, {1.5, 1}, {}, u"HIDDEN"_s}});
        Symbol s = row(79, u"直流箱屏"_s, Pick::BottomEdgeCentre, d);
        s.linetype = u"HIDDEN"_s;
        rows.push_back(std::move(s));
    }
    rows.push_back(meter(10, u"电流表"_s, u"A"_s, {-1.290023, -1.536779}, 0.75));
    rows.push_back(meter(12, u"电压表"_s, u"V"_s, {-1.290023, -1.536779}, 0.75));
    rows.push_back(meter(31, u"功率表"_s, u"W"_s, {-1.561370, -1.931100}, 0.75));
    // %%c is the CAD's control code for the diameter sign, here standing for phi.
    rows.push_back(meter(32, u"功率因数表"_s, u"COS%%c"_s, {-2.698958, -1.677542}, 0.4));
    rows.push_back(meter(49, u"频率表"_s, u"Hz"_s, {-2.387781, -1.763692}, 0.75));
    rows.push_back(energyMeter(58, u"无功电度表"_s, u"varh"_s, 0.4));
    rows.push_back(energyMeter(77, u"有功电度表"_s, u"Wh"_s, 0.7));
    return rows;
}

}  // namespace symbols::groups
