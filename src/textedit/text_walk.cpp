// The shared walk of pages 1 to 4.
#include "textedit/text_walk.h"

#include "core/number_syntax.h"
#include "core/progress.h"

namespace textedit {

namespace {

using filters::FilterKind;

QStringView refusalOf(const Refusals& refusals, FilterKind kind) {
    switch (kind) {
        case FilterKind::Height:
            return refusals.height;
        case FilterKind::Style:
            return refusals.style;
        case FilterKind::Layer:
            return refusals.layer;
        case FilterKind::Color:
            return refusals.color;
        case FilterKind::All:
        case FilterKind::Linetype:
        case FilterKind::Prefix:
            break;
    }
    return {};
}

QString finalHint(const WalkMessages& messages, int modifiedCount, int refusedCount) {
    QString hint = messages.done.toString() + QString::number(modifiedCount) + u'个';
    if (refusedCount > 0) {
        hint += messages.refusedNote.toString().arg(refusedCount);
    }
    return hint;
}

}  // namespace

std::optional<double> amountValue(ui::Ui& ui, QStringView boxText) {
    const std::optional<double> value = core::decimalValue(boxText);
    if (!value) {
        ui.showHint(QString::fromUtf16(kNotANumberHint));
    }
    return value;
}

void walkTexts(cad::CadLink& link, Scope scope, const filters::FilterChoice& choice,
               core::ColorRule& colorRule, const WalkMessages& messages, const TextChange& change) {
    static const QString kText = QStringLiteral("AcDbText");
    static const QString kProgress = QStringLiteral("提示：修改完成");
    if (!link.CheckCadReady()) {
        return;
    }
    ui::Ui& ui = link.ui();
    const cad::CadLink::SelectionGuard selection(link);
    cad::Collection<cad::Entity> items;
    if (scope == Scope::ModelSpace) {
        items = link.objAcad.ActiveDocument().ModelSpace();
    } else {
        items = link.PickSelection();
    }
    if (choice.boxIsBlank()) {
        const QStringView refusal = refusalOf(messages.refusals, choice.kind);
        Q_ASSERT(!refusal.isEmpty());
        ui.showHint(refusal.toString());
        return;
    }
    const filters::EntityFilter filter(choice, colorRule);
    int modifiedCount = 0;
    int refusedCount = 0;
    {
        const cad::UndoGroup undo(link.objAcad.ActiveDocument());
        const int count = items.Count();
        for (int i = 0; i < count; ++i) {
            ui.showHint(core::progressHint(kProgress, i, count));
            const cad::Entity entity = items.Item(i);
            if (entity.EntityName() != kText || !filter.matches(entity)) {
                continue;
            }
            switch (change(entity)) {
                case Outcome::Changed:
                    ++modifiedCount;
                    break;
                case Outcome::Refused:
                    ++refusedCount;
                    break;
                case Outcome::LeftAlone:
                    break;
            }
        }
    }
    ui.showHint(finalHint(messages, modifiedCount, refusedCount));
}

}  // namespace textedit
