// The geometry a thumbnail shows for each symbol, as plain primitives in symbol-local units.
#pragma once

#include "symbols/symbol.h"

namespace symbols {

// The symbol's own primitives; for the buried cable a sample run between two points, for the
// signature entry a handwritten flourish.
Primitives previewPrimitives(const Symbol& symbol);

}  // namespace symbols
