// The font texts are drawn in, and how wide a text is in it at height 1.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>

namespace sketchcad {

// A drawing's text height is the height of its capitals; the font is sized in pixels and
// scaled so that its capitals are one unit high. Needs a QGuiApplication.
class TextFont {
public:
    TextFont();

    const QFont& font() const { return m_font; }
    // Font pixels per unit of text height.
    double pixelsPerUnit() const { return m_capHeight; }
    // Widths are remembered: shaping a text costs far more than finding it again, and the
    // texts of a drawing repeat and survive from one build of the scene to the next.
    double measure(QStringView text) const;

private:
    QFont m_font;
    QFontMetricsF m_metrics;
    double m_capHeight;
    mutable QHash<QString, double> m_widths;
};

}  // namespace sketchcad
