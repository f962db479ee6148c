// Aligning picked single-line texts on the x of the first of them, as one undo step.
#include "utilities/align_text_left.h"

#include <optional>

#include "utilities/picking.h"

namespace utilities {

namespace {

using namespace Qt::StringLiterals;

// The first text's x, read once it is left-aligned, becomes the common x.
void alignText(const cad::Entity& text, std::optional<double>& commonX) {
    try {
        text.HorizontalAlignment(0);
    } catch (const cad::Error&) {
        // Passed over: the text may already be left-aligned and only refuse the write.
    }
    cad::Point point = text.InsertionPoint();
    if (!commonX) {
        commonX = point.x;
    }
    point.x = *commonX;
    text.InsertionPoint(point);
}

}  // namespace

void AlignTextLeft(cad::CadLink& link) {
    if (!link.CheckCadReady()) {
        return;
    }
    cad::CadLink::SelectionGuard selection(link);
    const PickedObjects picked = pickPassingOverFailures(link);
    try {
        cad::UndoGroup undo(picked.document);
        std::optional<double> commonX;
        for (const cad::Entity& entity : picked.entities) {
            try {
                if (isKind(entity, u"AcDbText")) {
                    alignText(entity, commonX);
                }
            } catch (const cad::Error&) {
                // Passed over; the next text is aligned all the same.
            }
        }
    } catch (const cad::Error&) {
        // No undo group: nothing can be changed either.
    }
    link.DeleteSelection();
    link.ui().bringMainWindowToFront();
}

}  // namespace utilities
