// The height changes of tabs 3 and 4.
#include "textedit/height_change.h"

#include <cmath>

#include "textedit/text_walk.h"

namespace textedit {

namespace {

const WalkMessages kHeightMessages{kChangeRefusals, u"提示：成功修改字符",
                                   u"，另有%1个字高不能为零或负数未改"};

template <typename Combine>
void changeHeights(cad::CadLink& link, core::ColorRule& colorRule, const QString& boxText,
                   const filters::FilterChoice& filter, Scope scope, Combine combine) {
    const std::optional<double> operand = amountValue(link.ui(), boxText);
    if (!operand) {
        return;
    }
    walkTexts(link, scope, filter, colorRule, kHeightMessages, [&](const cad::Entity& e) {
        const std::optional<double> height = acceptedHeight(combine(e.Height(), *operand));
        if (!height) {
            return Outcome::Refused;
        }
        e.Height(*height);
        e.Update();
        return Outcome::Changed;
    });
}

double plus(double height, double amount) {
    return height + amount;
}

double times(double height, double factor) {
    return height * factor;
}

}  // namespace

std::optional<double> acceptedHeight(double newHeight) {
    if (newHeight > 0 && std::isfinite(newHeight)) {
        return newHeight;
    }
    return std::nullopt;
}

void HeightAddAll(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input) {
    changeHeights(link, colorRule, input.amount, input.filter, Scope::ModelSpace, plus);
}

void HeightAddPart(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input) {
    changeHeights(link, colorRule, input.amount, input.filter, Scope::Selection, plus);
}

void HeightTimesAll(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input) {
    changeHeights(link, colorRule, input.amount, input.filter, Scope::ModelSpace, times);
}

void HeightTimesPart(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input) {
    changeHeights(link, colorRule, input.amount, input.filter, Scope::Selection, times);
}

}  // namespace textedit
