// "物体位置互调": exchanging the insertion points of two picked texts or block references.
#pragma once

#include "cad/cad_link.h"

namespace utilities {

// Refusals go to the hint line; a CAD failure leaves both objects where they were and reaches
// the caller as cad::Error, with the selection set deleted.
void SwapPositions(cad::CadLink& link);

}  // namespace utilities
