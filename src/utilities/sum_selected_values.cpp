// Adding up the numbers of picked single-line texts; multiline texts are not read.
#include "utilities/sum_selected_values.h"

#include "core/number_syntax.h"
#include "core/number_text.h"
#include "core/text.h"
#include "utilities/picking.h"

namespace utilities {

using namespace Qt::StringLiterals;

void SumSelectedValues(cad::CadLink& link) {
    if (!link.CheckCadReady()) {
        return;
    }
    double sum = 0;
    {
        cad::CadLink::SelectionGuard selection(link);
        for (const cad::Entity& entity : pickPassingOverFailures(link).entities) {
            try {
                if (isKind(entity, u"AcDbText")) {
                    const QString text = core::trimBlanks(entity.TextString());
                    if (core::isDecimalNumber(text)) {
                        sum += core::leadingNumber(text);
                    }
                }
            } catch (const cad::Error&) {
                // Passed over; the other texts still count.
            }
        }
    }
    link.ui().bringMainWindowToFront();
    link.ui().showHint(u"提示：所选数值之和为"_s + core::shortNumber(sum));
}

}  // namespace utilities
