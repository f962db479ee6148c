// The drawing scale notation.
#include "core/scale_notation.h"

#include "core/number_syntax.h"
#include "core/text.h"

namespace core {

namespace {

// The parts either side of the colon; both read with the same number syntax, so CheckScale and
// ScaleRatio always agree on the value.
struct ScaleParts {
    std::optional<double> digit;
    QChar separator;
    std::optional<double> denominator;
};

std::optional<ScaleParts> split(QStringView text) {
    const QStringView scale = core::trimmedBlanksView(text);
    if (scale.size() < 3) {
        return std::nullopt;
    }
    return ScaleParts{core::decimalValue(scale.first(1)), scale[1],
                      core::decimalValue(scale.sliced(2))};
}

}  // namespace

bool CheckScale(QStringView text) {
    const std::optional<ScaleParts> parts = split(text);
    return parts && parts->digit && *parts->digit > 0 && parts->separator == u':' &&
           parts->denominator && *parts->denominator > 0;
}

double ScaleRatio(QStringView text) {
    const std::optional<ScaleParts> parts = split(text);
    Q_ASSERT(parts && parts->digit && parts->denominator);
    return *parts->digit / *parts->denominator;
}

}  // namespace core
