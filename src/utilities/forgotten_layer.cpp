// The forgotten-layer move: find the picked entity in model space, ask the name, move the rest.
#include "utilities/forgotten_layer.h"

#include <optional>

namespace utilities {

namespace {

using namespace Qt::StringLiterals;

// The model-space index of the entity with this handle.
std::optional<int> startPosition(const cad::ModelSpace& space, const QString& handle) {
    int count = 0;
    try {
        count = space.Count();
    } catch (const cad::Error&) {
        return std::nullopt;
    }
    for (int i = 0; i < count; ++i) {
        try {
            if (space.Item(i).Handle() == handle) {
                return i;
            }
        } catch (const cad::Error&) {
            // Passed over; the walk goes on.
        }
    }
    return std::nullopt;
}

void moveFrom(const cad::Document& document, const cad::ModelSpace& space, int start,
              const QString& layer) {
    try {
        cad::UndoGroup undo(document);
        try {
            document.Layers().Add(layer);
        } catch (const cad::Error&) {
            // The layer may exist already; the moves below tell.
        }
        const int count = space.Count();
        for (int i = start; i < count; ++i) {
            try {
                space.Item(i).Layer(layer);
            } catch (const cad::Error&) {
                // Passed over: a locked layer keeps its entity, the others move.
            }
        }
    } catch (const cad::Error&) {
        // The CAD stopped answering; what was moved stays moved, in one undo step.
    }
}

}  // namespace

void moveFromPickedToNewLayer(cad::CadLink& link) {
    if (!link.CheckCadReady()) {
        return;
    }
    ui::Ui& ui = link.ui();
    cad::CadLink::SelectionGuard selection(link);
    const cad::Document document = link.objAcad.ActiveDocument();
    const cad::SelectionSet picked = link.PickSelection();
    if (picked.Count() == 0) {
        ui.showHint(u"提示：没有选择实体，图层未改"_s);
        return;
    }
    const QString handle = picked.Item(0).Handle();

    cad::ModelSpace space;
    try {
        space = document.ModelSpace();
    } catch (const cad::Error&) {
        return;
    }
    const std::optional<int> start = startPosition(space, handle);
    if (!start) {
        ui.showHint(u"提示：所选实体不在模型空间，图层未改"_s);
        return;
    }
    ui.bringMainWindowToFront();
    const QString layer =
        ui.inputBox(u"键入新建层名，所选实体以后生成的实体将改到此层。"_s, u"NewLayer"_s);
    // A cancelled box gives no name, which no layer can have.
    if (!layer.isEmpty()) {
        moveFrom(document, space, *start, layer);
    }
}

}  // namespace utilities
