// The buried cable: its two picks, the offset of the dashed line and the two lines.
#include "symbols/buried_cable.h"

#include <cmath>

#include "symbols/linetype_loading.h"

using namespace Qt::StringLiterals;

namespace symbols {

QPointF cableOffset(QPointF start, QPointF end) {
    const double dx = end.x() - start.x();
    const double dy = end.y() - start.y();
    if (dy == 0) {
        return {0, dx >= 0 ? 1.0 : -1.0};
    }
    if (dx == 0) {
        return {dy < 0 ? 1.0 : -1.0, 0};
    }
    const double phi = std::atan(std::abs(dy) / std::abs(dx));
    const double s = std::sin(phi);
    const double c = std::cos(phi);
    if (dx > 0) {
        return dy > 0 ? QPointF(-s, c) : QPointF(s, c);
    }
    return dy > 0 ? QPointF(-s, -c) : QPointF(s, -c);
}

void drawBuriedCable(cad::CadLink& link) {
    const QString hidden = u"HIDDEN"_s;
    loadLinetype(link, hidden);
    const cad::Point s = link.objUtility.GetPoint(std::nullopt, u"选择电缆起点: "_s);
    const cad::Point e = link.objUtility.GetPoint(std::nullopt, u"选择电缆终点: "_s);
    const cad::UndoGroup group(link.objAcad.ActiveDocument());

    const cad::Entity cable = link.objAcad.ActiveDocument().ModelSpace().AddLine(s, e);
    cable.Color(1);
    cable.Update();

    const QPointF o = cableOffset({s.x, s.y}, {e.x, e.y});
    const cad::Entity dashed = link.objAcad.ActiveDocument().ModelSpace().AddLine(
        {s.x + o.x(), s.y + o.y(), s.z}, {e.x + o.x(), e.y + o.y(), e.z});
    dashed.Linetype(hidden);
    dashed.Color(0);  // by block
    dashed.Update();
}

}  // namespace symbols
