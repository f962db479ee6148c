// Totals of the real length of lines and arcs, over model space or a selection, at a scale.
#pragma once

#include <QString>

#include "cad/cad_link.h"
#include "core/colors.h"
#include "filters/filter_choice.h"

namespace statistics {

// Which entity kinds a total takes: the options "所有直线", "直线圆弧" and "所有圆弧"; the
// layer, linetype and colour options take lines and arcs.
enum class LineKinds { Lines, LinesAndArcs, Arcs };

// What the page holds when a total starts.
struct LineLengthInput {
    LineKinds kinds = LineKinds::Lines;
    filters::FilterChoice filter;  // All, Layer, Linetype or Color
    QString scale;                 // TxtStatusScale, as typed
};

// The total over model space or an on-screen selection, in metres, written to the hint line. An
// invalid scale is refused before the CAD is asked.
void totalLineLengths(cad::CadLink& link, core::ColorRule& colorRule, const LineLengthInput& input,
                      cad::Scope scope);

}  // namespace statistics
