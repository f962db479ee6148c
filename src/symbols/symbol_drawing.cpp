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
        m_link.objLine = modelSpace().AddLine(at(line.start), at(line.end));
        if (line.color) {
            m_link.objLine.Color(*line.color);
        }
        if (!line.linetype.isEmpty()) {
            m_link.objLine.Linetype(line.linetype);
            m_link.objLine.LinetypeScale(1);
        }
        m_link.objLine.Update();
    }

    void operator()(const Circle& circle) const {
        m_link.objCircle = modelSpace().AddCircle(at(circle.centre), circle.radius);
        m_link.objCircle.Update();
    }

    void operator()(const Arc& arc) const {
        m_link.objArc =
            modelSpace().AddArc(at(arc.centre), arc.radius, arc.startAngle, arc.endAngle);
        m_link.objArc.Update();
    }

    // Texts are left for the CAD to show at its next regeneration.
    void operator()(const Text& text) const {
        m_link.objText = modelSpace().AddText(text.text, at(text.at), text.height);
        m_link.objText.ScaleFactor(text.widthFactor);
        if (text.rotation) {
            m_link.objText.Rotation(*text.rotation);
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
