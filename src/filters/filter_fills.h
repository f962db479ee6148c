// What clicking a filter option does: fill its box from the colour list or the active drawing,
// or ask for the coordinate prefix.
#pragma once

#include <QString>

#include "cad/cad_link.h"
#include "filters/choice_box.h"
#include "ui/ui.h"

namespace filters {

// The eleven colour entries, "  0(BYBLOCK)" shown; the CAD is not asked.
void fillColorBox(ChoiceBox& box);

// The names of the active drawing's layers, text styles or linetypes, in table order, the first
// one shown. When CheckCadReady refuses, the box is left as it was.
void fillLayerBox(cad::CadLink& link, ChoiceBox& box);
void fillTextStyleBox(cad::CadLink& link, ChoiceBox& box);
void fillLinetypeBox(cad::CadLink& link, ChoiceBox& box);

// The distinct heights of model space's single-line texts, in the order they first appear,
// with a progress hint before each entity and 100.0% at the end.
void fillHeightBox(cad::CadLink& link, ChoiceBox& box);

// The answer to the coordinate-prefix prompt.
struct CoordPrefixAnswer {
    QString prefix;      // the answer's first character in upper case, or empty
    bool valid = false;  // one of A, B, X, Y; otherwise the caller selects the all option
};

// Asks for the prefix letter through the input box; an invalid answer has been reported in the
// hint line.
CoordPrefixAnswer askCoordPrefix(ui::Ui& ui);

}  // namespace filters
