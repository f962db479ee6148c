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

// What the buttons run: an invalid scale is refused before the CAD is asked, then the total.
void totalLineLengths(cad::CadLink& link, core::ColorRule& colorRule, const LineLengthInput& input,
                      cad::Scope scope);

// The totals over model space and over an on-screen selection, in metres, written to the hint
// line. The scale has passed CheckScale.
void LineLengthAll(cad::CadLink& link, core::ColorRule& colorRule, const LineLengthInput& input);
void LineLengthPart(cad::CadLink& link, core::ColorRule& colorRule, const LineLengthInput& input);

}  // namespace statistics
