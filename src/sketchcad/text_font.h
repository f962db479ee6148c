// The font texts are drawn in, and how wide a text is in it at height 1.
#pragma once

#include <QFont>
#include <QFontMetricsF>

namespace sketchcad {

// A drawing's text height is the height of its capitals; the font is sized in pixels and
// scaled so that its capitals are one unit high. Needs a QGuiApplication.
class TextFont {
public:
    TextFont();

    const QFont& font() const { return m_font; }
    // Font pixels per unit of text height.
    double pixelsPerUnit() const { return m_capHeight; }
    double measure(QStringView text) const;

private:
    QFont m_font;
    QFontMetricsF m_metrics;
    double m_capHeight;
};

}  // namespace sketchcad
