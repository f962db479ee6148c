// TextFont: a sans-serif face with CJK glyphs at a fixed pixel size.
#include "sketchcad/text_font.h"

#include <QStringList>

namespace sketchcad {

namespace {

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
    return m_metrics.horizontalAdvance(text.toString()) / m_capHeight;
}

}  // namespace sketchcad
