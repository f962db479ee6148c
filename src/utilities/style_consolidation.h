// "同形异名字型整理": merging text styles that share their font files.
#pragma once

#include "cad/cad_link.h"

namespace utilities {

// Merges every pair of same-shaped text styles into the lower-indexed one, as one undo step, and
// lets pending events run once per model-space entity. A CAD failure before the first deletion
// reaches the caller as cad::Error; from the first deletion on, failing steps are passed over. A
// style that cannot be deleted keeps its pair out of later scans, and the closing hint counts it.
void ConsolidateStyles(cad::CadLink& link);

}  // namespace utilities
