// penDashes: a linetype's elements turned into Qt's dash-gap pairs.
#include "sketchcad/dash_pattern.h"

#include <cmath>

namespace sketchcad {

std::optional<PenDashes> penDashes(const std::vector<double>& pattern, double pixelsPerUnit) {
    struct Element {
        bool dash;
        double length;
    };
    std::vector<Element> elements;
    for (double d : pattern) {
        const bool dash = d >= 0;
        const double length = dash ? std::max(1.0, d * pixelsPerUnit) : -d * pixelsPerUnit;
        if (!elements.empty() && elements.back().dash == dash) {
            elements.back().length += length;
        } else {
            elements.push_back({dash, length});
        }
    }
    const auto firstDash =
        std::find_if(elements.begin(), elements.end(), [](const Element& e) { return e.dash; });
    const bool hasGap =
        std::any_of(elements.begin(), elements.end(), [](const Element& e) { return !e.dash; });
    if (firstDash == elements.end() || !hasGap) {
        return std::nullopt;
    }
    PenDashes pen;
    // Turned to begin with a dash: the line's start lies that far into the turned pattern.
    for (auto it = firstDash; it != elements.end(); ++it) {
        pen.offset += it->length;
    }
    std::rotate(elements.begin(), firstDash, elements.end());
    if (elements.back().dash) {
        // The last dash runs on into the first: one dash, the start that much into it.
        elements.front().length += elements.back().length;
        pen.offset += elements.back().length;
        elements.pop_back();
    }
    double period = 0;
    for (const Element& e : elements) {
        pen.pattern.append(e.length);
        period += e.length;
    }
    pen.offset = std::fmod(pen.offset, period);
    return pen;
}

}  // namespace sketchcad
