// Line length totals: the walk, the single-precision running total and the result in metres.
#include "statistics/line_length.h"

#include <optional>

#include "core/number_text.h"
#include "core/progress.h"
#include "core/scale_notation.h"
#include "statistics/counting_rules.h"

namespace statistics {

namespace {

using filters::FilterKind;
using namespace Qt::StringLiterals;

// Every failure of a total, an overflow included, reads as a bad scale to the user.
const QString kScaleRefused = u"提示：比例数值无效！形式应为x:xxxx"_s;

QString blankBoxHint(FilterKind kind) {
    switch (kind) {
        case FilterKind::Layer:
            return u"提示：层名没有选中"_s;
        case FilterKind::Linetype:
            return u"提示：线型没有选中"_s;
        case FilterKind::Color:
            return u"提示：颜色名没有选中"_s;
        default:
            Q_UNREACHABLE();
            return QString();
    }
}

// The length an entity adds, or nothing when it does not count. The kind is read first, so
// entities of other kinds cost one member read.
std::optional<double> countedLength(const cad::Entity& entity, LineKinds kinds,
                                    const filters::EntityFilter& filter) {
    const Segment segment = segmentOf(entity.EntityName());
    const bool counted = (segment == Segment::Line && kinds != LineKinds::Arcs) ||
                         (segment == Segment::Arc && kinds != LineKinds::Lines);
    if (!counted || !filter.matches(entity)) {
        return std::nullopt;
    }
    return segmentLength(entity, segment);
}

// Walks the collection and writes the progress; the total in metres, or nothing when it
// overflows. Throws cad::Error when the CAD fails.
std::optional<float> totalMetres(const cad::Collection<cad::Entity>& items, ui::Ui& ui,
                                 const filters::EntityFilter& filter,
                                 const LineLengthInput& input) {
    static const QString kProgress = u"提示：修改完成"_s;
    SingleTotal total;
    const int count = items.Count();
    for (int i = 0; i < count; ++i) {
        if (const std::optional<double> length =
                countedLength(items.Item(i), input.kinds, filter)) {
            total.add(*length);
        }
        ui.showHint(core::progressHint(kProgress, i, count));
    }
    return total.metres(core::ScaleRatio(input.scale));
}

// Everything after the collection is known: the filter refusal, the walk and the result.
QString totalHint(const cad::Collection<cad::Entity>& items, ui::Ui& ui, core::ColorRule& colorRule,
                  const LineLengthInput& input) {
    if (input.filter.boxIsBlank()) {
        return blankBoxHint(input.filter.kind);
    }
    const filters::EntityFilter filter(input.filter, colorRule);
    try {
        if (const std::optional<float> metres = totalMetres(items, ui, filter, input)) {
            return u"提示：所选线总长"_s + core::shortNumber(*metres) + u"米"_s;
        }
    } catch (const cad::Error&) {
        // Reported below, like an overflow.
    }
    return kScaleRefused;
}

}  // namespace

void totalLineLengths(cad::CadLink& link, core::ColorRule& colorRule, const LineLengthInput& input,
                      cad::Scope scope) {
    if (!core::CheckScale(input.scale)) {
        link.ui().showHint(kScaleRefused);
        return;
    }
    if (scope == cad::Scope::ModelSpace) {
        LineLengthAll(link, colorRule, input);
    } else {
        LineLengthPart(link, colorRule, input);
    }
}

void LineLengthAll(cad::CadLink& link, core::ColorRule& colorRule, const LineLengthInput& input) {
    if (!link.CheckCadReady()) {
        return;
    }
    link.ui().showHint(
        totalHint(link.objAcad.ActiveDocument().ModelSpace(), link.ui(), colorRule, input));
}

void LineLengthPart(cad::CadLink& link, core::ColorRule& colorRule, const LineLengthInput& input) {
    if (!link.CheckCadReady()) {
        return;
    }
    QString hint;
    {
        // The set goes before any outcome is shown; a failing pick leaves through the guard too.
        cad::CadLink::SelectionGuard selection(link);
        hint = totalHint(link.PickSelection(), link.ui(), colorRule, input);
    }
    link.ui().showHint(hint);
}

}  // namespace statistics
