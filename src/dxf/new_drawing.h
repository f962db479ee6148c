// The file a drawing that was never loaded is saved into: an empty AC1024 drawing in UTF-8.
#pragma once

#include "dxf/document.h"

namespace dxf {

// Its records use handles below 20 (hex), under those a new drawing hands out, and its
// defaults (layer 0, text style Standard, the three basic linetypes, model and paper space)
// carry the names the drawing gives its own.
Document newDrawingFile();

}  // namespace dxf
