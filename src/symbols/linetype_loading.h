// Loading a symbol's linetype from the CAD's own linetype file.
#pragma once

#include "cad/cad_link.h"

namespace symbols {

// Loads the linetype from "acad.lin" through link.objLinetypes. A failure, most often a
// linetype the drawing already has, is no obstacle to drawing and is ignored.
void loadLinetype(cad::CadLink& link, const QString& name);

}  // namespace symbols
