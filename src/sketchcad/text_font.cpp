// TextFont: a sans-serif face with CJK glyphs at a fixed pixel size, CJK runs drawn smaller.
#include "sketchcad/text_font.h"

#include <QPainter>
#include <QStringList>
#include <QTransform>

#include "sketchcad/text_layout.h"

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

// Calls f(run, wide, last) for the runs of CJK characters and of others, in order.
template <typename F>
void forEachRun(QStringView text, F f) {
    qsizetype start = 0;
    for (qsizetype i = 1; i <= text.size(); ++i) {
        if (i == text.size() || isWide(text[i]) != isWide(text[start])) {
            f(text.sliced(start, i - start), isWide(text[start]), i == text.size());
            start = i;
        }
    }
}

}  // namespace

TextFont::TextFont()
    : m_font(referenceFont()), m_metrics(m_font), m_capHeight(m_metrics.capHeight()) {
    if (m_capHeight <= 0) {
        m_capHeight = 0.7 * m_font.pixelSize();
    }
    // A square ideograph's ink stands for that of all CJK characters. A font without one, or
    // with an odd one, leaves CJK characters at the size of the rest.
    const QRectF ink = m_metrics.tightBoundingRect(QStringLiteral("国"));
    if (ink.height() > 0.5 * m_capHeight && ink.height() < 3 * m_capHeight) {
        m_wideScale = m_capHeight / ink.height();
        m_wideRise = ink.bottom() * m_wideScale / m_capHeight;
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
    double width = 0;
    forEachRun(text, [&](QStringView run, bool wide, bool) {
        width += m_metrics.horizontalAdvance(run.toString()) * (wide ? m_wideScale : 1.0);
    });
    width /= m_capHeight;
    m_widths.insert(key, width);
    return width;
}

void TextFont::draw(QPainter& painter, const QTransform& toDevice, const QString& text) const {
    double x = 0;  // where the run starts, in text heights
    forEachRun(text, [&](QStringView run, bool wide, bool last) {
        const double k = (wide ? m_wideScale : 1.0) / m_capHeight;
        const double rise = wide ? m_wideRise : 0.0;
        // Font pixels have y down.
        painter.setTransform(QTransform::fromScale(k, -k) * QTransform::fromTranslate(x, rise) *
                             toDevice);
        // Most texts are one run, drawn without a copy.
        painter.drawText(QPointF(0, 0), run.size() == text.size() ? text : run.toString());
        if (!last) {
            x += measure(run);
        }
    });
}

}  // namespace sketchcad
