// Recognising a frame's sheet size from two edge lengths.
#include "utilities/frame_size.h"

#include <cmath>

#include "core/geometry.h"
#include "core/number_text.h"
#include "utilities/picking.h"

namespace utilities {

using namespace Qt::StringLiterals;

namespace {

bool near(double length, float side) {
    return std::abs(length - double(side)) <= 1;
}

}  // namespace

const FrameSize* matchFrameSize(double d0, double d1) {
    for (const FrameSize& size : FrameSizes) {
        const bool matches = near(d0, size.side1) ? near(d1, size.side2)
                                                  : near(d0, size.side2) && near(d1, size.side1);
        if (matches) {
            return &size;
        }
    }
    return nullptr;
}

void CheckFrameSize(cad::CadLink& link) {
    if (!link.CheckCadReady()) {
        return;
    }
    ui::Ui& ui = link.ui();
    cad::CadLink::SelectionGuard selection(link);
    const cad::SelectionSet picked = link.PickSelection();
    if (picked.Count() != 2) {
        ui.showHint(u"提示：选择两条相邻边"_s);
        return;
    }
    const cad::Entity first = picked.Item(0);
    const cad::Entity second = picked.Item(1);
    if (!isKind(first, u"AcDbLine") || !isKind(second, u"AcDbLine")) {
        ui.showHint(u"提示：请选择直线，本软件只认直线为图纸边框"_s);
        return;
    }
    const double d0 = core::PlanDistance(first.StartPoint(), first.EndPoint());
    const double d1 = core::PlanDistance(second.StartPoint(), second.EndPoint());
    if (const FrameSize* size = matchFrameSize(d0, d1)) {
        ui.showHint(u"提示：此图折合1#图"_s + core::shortNumber(size->a1Sheets) + u"张"_s);
    } else {
        ui.showHint(u"提示：此图框不常用"_s);
    }
}

}  // namespace utilities
