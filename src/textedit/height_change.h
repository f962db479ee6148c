// Tabs 3 and 4: the heights of single-line texts, an amount added or a factor multiplied.
#pragma once

#include <QString>
#include <optional>

#include "cad/cad_link.h"
#include "core/colors.h"
#include "filters/filter_choice.h"
#include "textedit/text_walk.h"

namespace textedit {

// The operations of tabs 3 (an amount added) and 4 (a factor multiplied): the text walk with the
// height change, ending with "提示：成功修改字符", the count and "个". A text whose new height the
// CAD would refuse (zero or below, or beyond the double range) keeps its height and is not
// counted; the walk goes on, and the final message is followed by
// "，另有N个字高不能为零或负数未改". An amount or factor that is no decimal number refuses with
// "提示：输入数值型参数" before anything else.
void HeightAddAll(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input);
void HeightAddPart(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input);
void HeightTimesAll(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input);
void HeightTimesPart(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input);

// A new height, or nullopt when the CAD would not take it: only finite heights above zero.
std::optional<double> acceptedHeight(double newHeight);

}  // namespace textedit
