// Swapping the insertion points of two picked objects as one undo step.
#include "utilities/swap_positions.h"

namespace utilities {

namespace {

using namespace Qt::StringLiterals;

bool isSwappable(const cad::Entity& entity) {
    static const QString kKinds[] = {u"AcDbText"_s, u"AcDbMText"_s, u"AcDbBlockReference"_s};
    const QString kind = entity.EntityName();
    for (const QString& k : kKinds) {
        if (kind.compare(k, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

// Both points are read before either is written, and the first write is taken back when the
// second fails, so a failure never leaves the two objects on one place.
void exchange(const cad::Entity& first, const cad::Entity& second) {
    const cad::Point kept = first.InsertionPoint();
    const cad::Point other = second.InsertionPoint();
    first.InsertionPoint(other);
    try {
        second.InsertionPoint(kept);
    } catch (const cad::Error&) {
        try {
            first.InsertionPoint(kept);
        } catch (const cad::Error&) {
            // The CAD is gone; its undo group holds the one change made.
        }
        throw;
    }
    first.Update();
    second.Update();
}

}  // namespace

void SwapPositions(cad::CadLink& link) {
    if (!link.CheckCadReady()) {
        return;
    }
    cad::CadLink::SelectionGuard selection(link);
    const cad::Document document = link.objAcad.ActiveDocument();
    const cad::SelectionSet picked = link.PickSelection();
    if (picked.Count() != 2) {
        link.ui().showHint(u"提示：只能选择两个对象"_s);
        return;
    }
    const cad::Entity first = picked.Item(0);
    const cad::Entity second = picked.Item(1);
    if (!isSwappable(first) || !isSwappable(second)) {
        link.ui().showHint(u"提示：只能选择文字、多行文字或块"_s);
    } else {
        cad::UndoGroup undo(document);
        exchange(first, second);
    }
    link.DeleteSelection();
    link.ui().bringMainWindowToFront();
}

}  // namespace utilities
