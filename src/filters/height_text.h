// Per-entity tests of the filter panels that compare numbers as texts.
#pragma once

#include "core/number_text.h"

#include <QString>
#include <QStringView>

namespace filters {

// A text height as the height list shows it and as the height test compares it.
inline QString heightText(double height) {
    return core::numberText(height);
}

// Compared as texts, so a list entry always selects the texts it was made from, while a height
// typed in another form ("2.50" for 2.5) selects nothing.
inline bool heightMatches(double height, QStringView boxText) {
    return heightText(height) == boxText;
}

}  // namespace filters
