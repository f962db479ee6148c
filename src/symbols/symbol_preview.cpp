// Thumbnail geometry: the symbol's primitives, or a stand-in for the two entries drawn otherwise.
#include "symbols/symbol_preview.h"

#include "symbols/buried_cable.h"
#include "symbols/symbol_shapes.h"

using namespace Qt::StringLiterals;

namespace symbols {

namespace {

using namespace shapes;

Primitives sampleCable() {
    const QPointF start(-8, -1.5);
    const QPointF end(8, 1.5);
    const QPointF o = cableOffset(start, end);
    return {Line{start, end, kRed, {}}, Line{start + o, end + o, kByBlock, u"HIDDEN"_s}};
}

// A quick cursive scrawl: three loops and an underline swept back to the left.
Primitives signature() {
    return {arc(-6, 0.5, 1.5, 0.6, 5.2), arc(-3.6, 0, 1.2, 3.5, 8.5),  arc(-1, 0.8, 1.8, 3.8, 8.9),
            arc(2, 0, 1.1, 3.3, 8.2),    arc(4.6, 0.6, 1.6, 3.6, 7.4), line(6.2, 0.9, 8, 2.5),
            line(-8, -2.4, 7.5, -1.6),   line(7.5, -1.6, 5.5, -2.8)};
}

}  // namespace

Primitives previewPrimitives(const Symbol& symbol) {
    switch (symbol.pick) {
        case Pick::CableEnds:
            return sampleCable();
        case Pick::Nothing:
            return signature();
        default:
            return symbol.primitives;
    }
}

}  // namespace symbols
