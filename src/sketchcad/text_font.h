// The font texts are drawn in: how wide a text is at height 1, and painting it.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>

class QPainter;
class QTransform;

namespace sketchcad {

// A drawing's text height is the height of its capitals; the font is sized in pixels and
// scaled so that its capitals are one unit high. A CJK character, whose ink stands taller than
// a capital in the font, is drawn smaller, as tall as a capital and on the baseline, as CAD
// programs draw it. Needs a QGuiApplication.
class TextFont {
public:
    TextFont();

    const QFont& font() const { return m_font; }
    // Widths are remembered: shaping a text costs far more than finding it again, and the
    // texts of a drawing repeat and survive from one build of the scene to the next.
    double measure(QStringView text) const;
    // Paints the text with its baseline's left end at the origin of the text space toDevice
    // maps (units of text height, y up). The painter's font must be font().
    void draw(QPainter& painter, const QTransform& toDevice, const QString& text) const;

private:
    QFont m_font;
    QFontMetricsF m_metrics;
    double m_capHeight;
    double m_wideScale = 1;  // the size CJK characters are drawn at, as a share of the font's
    double m_wideRise = 0;   // in text heights: lifts the smaller CJK ink onto the baseline
    mutable QHash<QString, double> m_widths;
};

}  // namespace sketchcad
