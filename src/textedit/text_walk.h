// The walk that every operation of pages 1 to 4 runs over model space or a pick.
#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

#include "cad/cad_link.h"
#include "core/colors.h"
#include "filters/filter_choice.h"
#include "ui/ui.h"

namespace textedit {

inline constexpr char16_t kNotANumberHint[] = u"提示：输入数值型参数";

using cad::Scope;

// What an operation says when the box of its condition is blank.
struct Refusals {
    QStringView height;  // empty where the tab offers no height condition
    QStringView style;
    QStringView layer;
    QStringView color;
};

// Tab 1's wording, and the one tabs 2 to 4 share.
inline constexpr Refusals kValueAddRefusals{u"提示：没有选中字高", u"提示：没有选中字型",
                                            u"提示：没有选中层名", u"提示：没有选中颜色"};
inline constexpr Refusals kChangeRefusals{
    {}, u"提示：字型没有选中", u"提示：层名没有选中", u"提示：颜色名没有选中"};

struct WalkMessages {
    Refusals refusals;
    // The final message, before the number of changed texts and "个".
    QStringView done;
    // Appended to the final message when the CAD would have refused some new values: how many
    // texts were left and why, "%1" standing for their number.
    QStringView refusedNote = {};
};

// What an operation of tabs 1 to 4 reads from its tab: the amount or factor box, the selected
// condition with its box text, and the coordinate prefix of tab 1's prefix condition.
struct TextChangeInput {
    QString amount;
    filters::FilterChoice filter;
    QString coordPrefix;
};

// What a change did to one text that passed the condition.
enum class Outcome {
    Changed,    // written and updated; counted in the final message
    LeftAlone,  // not the text the change is for (no number, another prefix)
    Refused,    // the new value is one the CAD does not accept; reported after the final message
};

using TextChange = std::function<Outcome(const cad::Entity& text)>;

// The box text of an amount or factor as a double; when it is no decimal number, the hint
// "提示：输入数值型参数" and nullopt.
std::optional<double> amountValue(ui::Ui& ui, QStringView boxText);

// The walk: CheckCadReady; the scope (a selection is picked before any condition is
// looked at); the refusal of a blank condition box; then, before each item, the progress hint
// "提示：修改完成" with i / Count, and for each single-line text that passes the condition, the
// change; last the final message. The changes form one undo group in the CAD. The selection set
// is deleted on every way out, also when an automation call fails (cad::Error passes on).
void walkTexts(cad::CadLink& link, Scope scope, const filters::FilterChoice& choice,
               core::ColorRule& colorRule, const WalkMessages& messages, const TextChange& change);

}  // namespace textedit
