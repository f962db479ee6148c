// The number changes of tabs 1 and 2.
#include "textedit/number_change.h"

#include <cmath>

#include "core/number_syntax.h"
#include "core/number_text.h"
#include "core/text.h"
#include "textedit/text_walk.h"

namespace textedit {

namespace {

using filters::FilterKind;

template <typename Combine>
std::optional<QString> changedNumber(QStringView text, Combine combine) {
    const std::optional<double> value = core::decimalValue(core::trimmedBlanksView(text));
    if (!value) {
        return std::nullopt;
    }
    const double result = combine(*value);
    if (!std::isfinite(result)) {
        return std::nullopt;
    }
    return core::numberText(result);
}

// Writes the new text of a change, if any.
Outcome writeText(const cad::Entity& entity, const std::optional<QString>& newText) {
    if (!newText) {
        return Outcome::LeftAlone;
    }
    entity.TextString(*newText);
    entity.Update();
    return Outcome::Changed;
}

void addToNumbers(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input,
                  Scope scope) {
    const std::optional<double> amount = amountValue(link.ui(), input.amount);
    if (!amount) {
        return;
    }
    const WalkMessages messages{kValueAddRefusals, u"提示：修改数值"};
    if (input.filter.kind == FilterKind::Prefix) {
        walkTexts(link, scope, input.filter, colorRule, messages, [&](const cad::Entity& e) {
            return writeText(e, shiftedCoordinate(e.TextString(), input.coordPrefix, *amount));
        });
    } else {
        walkTexts(link, scope, input.filter, colorRule, messages, [&](const cad::Entity& e) {
            return writeText(e, addedNumber(e.TextString(), *amount));
        });
    }
}

void multiplyNumbers(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input,
                     Scope scope) {
    const std::optional<double> factor = amountValue(link.ui(), input.amount);
    if (!factor) {
        return;
    }
    walkTexts(link, scope, input.filter, colorRule, {kChangeRefusals, u"提示：成功修改数值"},
              [&](const cad::Entity& e) {
                  return writeText(e, multipliedNumber(e.TextString(), *factor));
              });
}

}  // namespace

std::optional<QString> addedNumber(QStringView text, double amount) {
    return changedNumber(text, [amount](double v) { return v + amount; });
}

std::optional<QString> multipliedNumber(QStringView text, double factor) {
    return changedNumber(text, [factor](double v) { return v * factor; });
}

std::optional<QString> shiftedCoordinate(QStringView text, QStringView prefix, double amount) {
    const QStringView s = core::trimmedBlanksView(text);
    if (prefix.size() != 1 || s.size() < 2 || s.front() != prefix.front()) {
        return std::nullopt;
    }
    const std::optional<QString> number = addedNumber(s.sliced(1), amount);
    if (!number) {
        return std::nullopt;
    }
    QString t = prefix.toString() + *number;
    if (t.size() >= s.size() || t.contains(u'E')) {
        return t;
    }
    if (!t.contains(u'.')) {
        t += u'.';
    }
    t = t.leftJustified(s.size(), u'0');
    return t;
}

void ValueAddAll(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input) {
    addToNumbers(link, colorRule, input, Scope::ModelSpace);
}

void ValueAddPart(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input) {
    addToNumbers(link, colorRule, input, Scope::Selection);
}

void ValueTimesAll(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input) {
    multiplyNumbers(link, colorRule, input, Scope::ModelSpace);
}

void ValueTimesPart(cad::CadLink& link, core::ColorRule& colorRule, const TextChangeInput& input) {
    multiplyNumbers(link, colorRule, input, Scope::Selection);
}

}  // namespace textedit
