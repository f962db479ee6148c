// The eight conversions of tab 7: colour, layer, text style and linetype, over model space or
// over the objects the user picks.
#pragma once

#include <QString>

#include "cad/cad_link.h"

namespace properties {

// The two list texts of a conversion, which entryRefusal has accepted as entries of their lists.
struct ConversionInput {
    QString source;
    QString target;
};

// Each conversion is one undo step in the CAD and ends with "提示：修改完成100.0%". A CAD call
// that fails during the walk (an entity on a locked layer, a target removed since the search)
// stops it with a hint of its own: what was changed stays changed and the selection set goes.
void ColorConvertAll(cad::CadLink& link, const ConversionInput& input);
void ColorConvertPart(cad::CadLink& link, const ConversionInput& input);
void LayerConvertAll(cad::CadLink& link, const ConversionInput& input);
void LayerConvertPart(cad::CadLink& link, const ConversionInput& input);
void StyleConvertAll(cad::CadLink& link, const ConversionInput& input);
void StyleConvertPart(cad::CadLink& link, const ConversionInput& input);
void TypeConvertAll(cad::CadLink& link, const ConversionInput& input);
void TypeConvertPart(cad::CadLink& link, const ConversionInput& input);

}  // namespace properties
