// TextFont: a sans-serif face with CJK glyphs at a fixed pixel size.
#include "sketchcad/text_font.h"

#include <QStringList>

namespace sketchcad {

namespace {

constexpr qsizetype kRemembered = 200000;

QFont referenceFont() {
    QFont f;
    f.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(100);
    return f;
}

}  // namespace

TextFont::TextFont()
    : m_font(referenceFont()), m_metrics(m_font), m_capHeight(m_metrics.capHeight()) {
    if (m_capHeight <= 0) {
        m_capHeight = 0.7 * m_font.pixelSize();
    }
}

double TextFont::measure(QStringView text) const {
    const QString key = text.toString();
    auto it = m_widths.constFind(key);
    if (it != m_widths.constEnd()) {
        return *it;
    }
    if (m_widths.size() >= kRemembered) {
        m_widths.clear();
    }
    const double width = m_metrics.horizontalAdvance(key) / m_capHeight;
    m_widths.insert(key, width);
    return width;
}

}  // namespace sketchcad
