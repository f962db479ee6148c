// "单行文字左对齐": left-justifying picked single-line texts on one x.
#pragma once

#include "cad/cad_link.h"

namespace utilities {

// Every CAD failure after the guard is passed over; a text whose steps fail keeps its place.
void AlignTextLeft(cad::CadLink& link);

}  // namespace utilities
