// Drawing a library symbol into the active drawing at the point the user picks.
#pragma once

#include "cad/cad_link.h"
#include "symbols/symbol.h"

namespace symbols {

// Draws one symbol: loads its linetype (a failure is no obstacle), asks for the insertion point
// with its prompt, then adds its primitives to the active document's model space in order. Uses
// link.objUtility and link.objLinetypes, which the caller has taken from the active document.
// A cancelled pick or a failing call throws cad::Error at once; what was added stays. The
// signature entry draws nothing and asks nothing.
void drawSymbol(cad::CadLink& link, const Symbol& symbol);

}  // namespace symbols
