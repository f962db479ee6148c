// "遗忘改层": moving the picked entity and everything drawn after it to a new layer.
#pragma once

#include "cad/cad_link.h"

namespace utilities {

// Model-space order is taken as drawing order. Nothing changes, with the reason in the hint
// line, when nothing is picked or the picked entity is not in model space; from the walk on,
// failing steps are passed over.
void moveFromPickedToNewLayer(cad::CadLink& link);

}  // namespace utilities
