// The switchgear, protection, instrument transformer and power transformers of the library.
#include <cmath>

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

// The open blade of a switch: 10 long from its lower end, 60° above the horizontal, leaning left.
const QPointF kBladeTop(-5, 8.66);

Drawing blade() {
    Drawing d;
    d.add(Line{{0, 0}, kBladeTop, {}, {}});
    return d;
}

Line topBar() {
    return line(-1.5, 10, 1.5, 10);
}

// The fuse body: a 3 × 5 rectangle centred on the blade's middle, its long sides along the blade.
Drawing& fuseBody(Drawing& d) {
    const QPointF middle = kBladeTop / 2;
    const QPointF along(-0.5, std::sqrt(3.0) / 2);
    const QPointF across(along.y(), -along.x());
    const QPointF c1 = middle - along * 2.5 - across * 1.5;
    const QPointF c2 = middle + along * 2.5 - across * 1.5;
    const QPointF c3 = middle + along * 2.5 + across * 1.5;
    const QPointF c4 = middle - along * 2.5 + across * 1.5;
    return d.add(
        {Line{c1, c2, {}, {}}, Line{c4, c3, {}, {}}, Line{c1, c4, {}, {}}, Line{c2, c3, {}, {}}});
}

}  // namespace

std::vector<Symbol> switchgear() {
    std::vector<Symbol> rows;
    {
        // The arrester hangs from P; the earth mark closes the lead 25 below.
        Drawing d;
        d.box(-2, -7, 2, 0)
            .add({line(-2, -7, 0.021, -3.65), line(0.021, -3.65, 2, -7)})
            .lines(hatch(Region::polygon({{-2, -7}, {2, -7}, {0.021, -3.65}}), 90, 0.625, 6))
            .add({line(0, -7, 0, -22), line(-3, -22, 3, -22), line(-1.5, -23.5, 1.5, -23.5),
                  line(-0.5, -25, 0.5, -25), Text{u"FYS-0.22"_s, {-14.053, -11.249}, 3, 0.6, {}}});
        rows.push_back(row(8, u"避雷器"_s, Pick::TopEdgeCentre, d));
    }
    {
        Drawing d = blade();
        fuseBody(d);
        rows.push_back(row(9, u"刀熔开关"_s, Pick::LowerEnd, d));
    }
    {
        Drawing d;
        d.add({circle(0, 0, 3), line(3, 0, 7.206, 0), line(3.776, -1.602, 5.27, 1.602),
               line(5.105, -1.602, 6.599, 1.602)});
        rows.push_back(row(11, u"电流互感器"_s, Pick::CircleCentre, d));
    }
    {
        // The drop-out fuse hinges on a small circle on P; the arrow shows the way it drops.
        Drawing d;
        d.add({circle(0, 0, 1), Line{{-0.5, 0.866}, kBladeTop, {}, {}}, topBar()});
        fuseBody(d).arrow({-3.799, 3.58}, {-8.129, 1.08});
        rows.push_back(row(15, u"跌落熔断器"_s, Pick::CircleCentre, d));
    }
    {
        Drawing d = blade();
        d.add({topBar(), circle(0, 9.3, 0.7)});
        rows.push_back(row(29, u"负荷开关"_s, Pick::LowerEnd, d));
    }
    {
        Drawing d = blade();
        d.add(topBar());
        rows.push_back(row(30, u"隔离开关"_s, Pick::LowerEnd, d));
    }
    {
        Drawing d = blade();
        d.add(arc(0, 11.5, 1.5, kQuarterTurn, kThreeQuarterTurn));
        rows.push_back(row(37, u"接触器"_s, Pick::LowerEnd, d));
    }
    {
        Drawing d = blade();
        d.add({line(-1.25, 11.25, 1.25, 8.75), line(-1.25, 8.75, 1.25, 11.25)});
        rows.push_back(row(39, u"空气开关"_s, Pick::LowerEnd, d));
    }
    {
        // P is the top of the red meander, on the box's top edge.
        Drawing d;
        d.box(-3.804, -8, 6.196, 0);
        const QPointF meander[] = {{0, 0},      {0, -2.092}, {3, -2.092},
                                   {3, -6.092}, {0, -6.092}, {0, -8}};
        for (int i = 0; i + 1 < 6; ++i) {
            d.add(Line{meander[i], meander[i + 1], kRed, {}});
        }
        rows.push_back(row(52, u"热继电器"_s, Pick::RedLineTopEnd, d));
    }
    {
        Drawing d;
        d.box(-1.5, 0, 1.5, 5);
        rows.push_back(row(53, u"熔断器"_s, Pick::BottomEdgeCentre, d));
    }
    {
        Drawing d;
        d.add({circle(0, 0, 2.7), circle(0, -3.918, 1.2)});
        rows.push_back(row(60, u"新建变压器"_s, Pick::LargeCircleCentre, d));
    }
    {
        Drawing d;
        d.add({circle(0, 0, 2.7), circle(0, -3.918, 1.2)})
            .lines(hatch(Region::disc({0, 0}, 2.7), 45, 0.7, 8));
        rows.push_back(row(66, u"已建变压器"_s, Pick::LargeCircleCentre, d));
    }
    return rows;
}

}  // namespace symbols::groups
