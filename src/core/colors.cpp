// Colour entries and the colour rule.
#include "core/colors.h"

namespace core {

QStringList colorEntryTexts() {
    QStringList texts;
    texts.reserve(qsizetype(ColorEntries.size()));
    for (const ColorEntry& e : ColorEntries) {
        texts.append(e.text.toString());
    }
    return texts;
}

std::optional<int> colorNumberOfEntry(QStringView text) {
    for (const ColorEntry& e : ColorEntries) {
        if (e.text == text) {
            return e.number;
        }
    }
    return std::nullopt;
}

bool ColorTest::matches(int entityColor) const {
    if ((entityColor >= 0 && entityColor <= 9) || entityColor == 256) {
        return entityColor == m_colorNumber;
    }
    return m_typedColor == entityColor;
}

ColorTest ColorRule::prepare(QStringView boxText) {
    if (const std::optional<int> number = colorNumberOfEntry(boxText)) {
        m_colorNumber = *number;
    }
    // Only the exact way the colour itself is written counts, so the parse is checked by
    // writing the number back.
    std::optional<int> typed;
    bool ok = false;
    const int value = boxText.toInt(&ok);
    if (ok && QString::number(value) == boxText) {
        typed = value;
    }
    return ColorTest(m_colorNumber, typed);
}

}  // namespace core
