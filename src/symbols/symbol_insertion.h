// Inserting the chosen library symbol: the guard, the switch hint and the dispatch on its name.
#pragma once

#include <QString>

#include "cad/cad_link.h"

namespace symbols {

// Draws the symbol of exactly this name at the point the user picks. Takes the link's utility
// and linetype references from the active document first, for the drawing to use. An unknown or
// empty name only says "提示：库内无图"; the signature entry only says it is reserved to its
// author. A cancelled pick or a failing call escapes as cad::Error.
void InsertSymbol(cad::CadLink& link, const QString& name);

// An insertion as the page starts it: the CAD guard, then the hint to switch to the CAD window,
// then InsertSymbol. Any automation failure ends it silently, leaving what was drawn and the
// switch hint in place.
void insertChosenSymbol(cad::CadLink& link, const QString& name);

}  // namespace symbols
