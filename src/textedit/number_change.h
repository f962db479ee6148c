// Tabs 1 and 2: numbers in single-line texts added to or multiplied, coordinate labels shifted.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

#include "cad/cad_link.h"
#include "core/colors.h"
#include "filters/filter_choice.h"
#include "textedit/text_walk.h"

namespace textedit {

// The operations of tabs 1 (an amount added) and 2 (a factor multiplied), over model space or a
// pick. Each ends with "提示：修改数值" (tab 1) or "提示：成功修改数值" (tab 2), the count and
// "个". An amount or factor that is no decimal number refuses with "提示：输入数值型参数" before
// anything else. Tab 1's prefix condition shifts coordinate labels instead (shiftedCoordinate).
void ValueAddAll(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input);
void ValueAddPart(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input);
void ValueTimesAll(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input);
void ValueTimesPart(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input);

// The changes, one text at a time: the new text, or nullopt when the text is left alone.
//
// Plain change: the text, blanks around it removed, must be a decimal number; the new text is
// the number text of the sum or product. A result beyond the double range (from a text such as
// 1E400) is left alone rather than written as "inf".
std::optional<QString> addedNumber(QStringView text, double amount);
std::optional<QString> multipliedNumber(QStringView text, double factor);

// Coordinate-prefix change: the text, blanks around it removed, must be the prefix letter
// (case-sensitive) followed by a decimal number. The new text is the prefix and the number text
// of the sum, with the zero before the point of a magnitude below 1 ("A0.5"); a result shorter
// than the old text is padded with zeros (and a point if it has none) to the old width, so
// A100.00 shifted by 0.5 gives A100.50. A result in exponent form is never padded, since the
// zeros would land in its exponent.
std::optional<QString> shiftedCoordinate(QStringView text, QStringView prefix, double amount);

}  // namespace textedit
