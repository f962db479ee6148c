// Drawing a library symbol: the linetype, the pick, then each primitive in order.
#include "symbols/symbol_drawing.h"

#include "symbols/buried_cable.h"
#include "symbols/linetype_loading.h"

namespace symbols {

namespace {

// Adds one primitive at its place relative to the picked point. Model space is taken from the
// active document anew for every primitive, as the user may switch drawings during a pick.
class PrimitiveAdder {
public:
    PrimitiveAdder(cad::CadLink& link, const cad::Point& origin) : m_link(link), m_origin(origin) {}

    void operator()(const Line& line) const {
        const cad::Entity added = modelSpace().AddLine(at(line.start), at(line.end));
        if (line.color) {
            added.Color(*line.color);
        }
        if (!line.linetype.isEmpty()) {
            added.Linetype(line.linetype);
            added.LinetypeScale(1);
        }
        added.Update();
    }

    void operator()(const Circle& circle) const {
        modelSpace().AddCircle(at(circle.centre), circle.radius).Update();
    }

    void operator()(const Arc& arc) const {
        modelSpace().AddArc(at(arc.centre), arc.radius, arc.startAngle, arc.endAngle).Update();
    }

    // Texts are left for the CAD to show at its next regeneration.
    void operator()(const Text& text) const {
        const cad::Entity added = modelSpace().AddText(text.text, at(text.at), text.height);
        added.ScaleFactor(text.widthFactor);
        if (text.rotation) {
            added.Rotation(*text.rotation);
        }
    }

private:
    cad::ModelSpace modelSpace() const { return m_link.objAcad.ActiveDocument().ModelSpace(); }
    cad::Point at(QPointF offset) const {
        return {m_origin.x + offset.x(), m_origin.y + offset.y(), m_origin.z};
    }

    cad::CadLink& m_link;
    cad::Point m_origin;
};

}  // namespace

void drawSymbol(cad::CadLink& link, const Symbol& symbol) {
    switch (symbol.pick) {
        case Pick::Nothing:
            return;
        case Pick::CableEnds:
            drawBuriedCable(link);
            return;
        default:
            break;
    }
    if (!symbol.linetype.isEmpty()) {
        loadLinetype(link, symbol.linetype);
    }
    cad::Point origin = link.objUtility.GetPoint(std::nullopt, promptText(symbol.pick));
    if (symbol.plane == Plane::Ground) {
        origin.z = 0;
    }
    // Opened only once the pick has succeeded, so a cancel leaves no empty undo step behind.
    const cad::UndoGroup group(link.objAcad.ActiveDocument());
    const PrimitiveAdder add(link, origin);
    for (const Primitive& p : symbol.primitives) {
        std::visit(add, p);
    }
}

}  // namespace symbols
