// "所选数值相加": the sum of the numbers written in picked single-line texts.
#pragma once

#include "cad/cad_link.h"

namespace utilities {

// Reports "提示：所选数值之和为" and the sum; CAD failures after the guard are passed over.
void SumSelectedValues(cad::CadLink& link);

}  // namespace utilities
