// The sample electrical plan: a one-storey office lighting plan on an A1 sheet at 1:100.
#pragma once

#include "cad/memory/document.h"

namespace samples {

// Sheet size in drawing units (millimetres of the building at 1:100: A1 is 841 x 594 mm).
inline constexpr double kSheetWidth = 84100;
inline constexpr double kSheetHeight = 59400;

// Draws the plan into the model space of an empty drawing: its layers, text style and the
// symbol blocks (LAMP, SWITCH, PANEL) are added to the drawing's tables. Deterministic.
void drawElectricalPlan(cad::memory::Document& drawing);

}  // namespace samples
