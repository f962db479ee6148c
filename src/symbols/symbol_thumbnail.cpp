// PicBlock: one symbol's thumbnail, painted from its geometry at the screen's own resolution.
#include "symbols/symbol_thumbnail.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace symbols {

namespace {

using namespace Qt::StringLiterals;

const QColor kNormalBackground(Qt::black);
const QColor kSelectedBackground(0, 128, 0);
const QColor kLineColor(Qt::white);
constexpr double kMargin = 4;  // pixels kept clear around the symbol
// Texts are laid out with a large font and scaled down, so small heights keep their shape.
constexpr int kFontPixels = 100;

QFont textFont() {
    QFont font;
    font.setPixelSize(kFontPixels);
    return font;
}

// How the CAD shows the diameter code inside texts.
QString shownText(const Text& t) {
    QString shown = t.text;
    shown.replace(u"%%c"_s, u"Ø"_s);
    return shown;
}

// A text's height in the CAD is the height of its capitals.
double textScale(const Text& t, const QFontMetricsF& metrics) {
    return t.height / metrics.capHeight();
}

QRectF extentOf(const Primitive& primitive, const QFontMetricsF& metrics) {
    if (const auto* l = std::get_if<Line>(&primitive)) {
        return QRectF(l->start, l->end).normalized();
    }
    if (const auto* t = std::get_if<Text>(&primitive)) {
        const double length =
            metrics.horizontalAdvance(shownText(*t)) * textScale(*t, metrics) * t->widthFactor;
        if (t->rotation) {
            return QRectF(t->at.x() - t->height, t->at.y(), t->height, length);
        }
        return QRectF(t->at.x(), t->at.y(), length, t->height);
    }
    return std::visit(
        [](const auto& round) -> QRectF {
            if constexpr (requires { round.radius; }) {
                return QRectF(round.centre.x() - round.radius, round.centre.y() - round.radius,
                              2 * round.radius, 2 * round.radius);
            } else {
                return {};
            }
        },
        primitive);
}

// Symbol-local coordinates (y up) onto the picture's pixels (y down), fitted and centred.
class Fit {
public:
    Fit(const QRectF& extent, const QRectF& area)
        : m_scale(std::min(area.width() / std::max(extent.width(), 1e-6),
                           area.height() / std::max(extent.height(), 1e-6))),
          m_from(extent.center()),
          m_to(area.center()) {}

    QPointF operator()(QPointF p) const {
        return {m_to.x() + (p.x() - m_from.x()) * m_scale,
                m_to.y() - (p.y() - m_from.y()) * m_scale};
    }
    double scale() const { return m_scale; }

private:
    double m_scale;
    QPointF m_from;
    QPointF m_to;
};

class PrimitivePainter {
public:
    PrimitivePainter(QPainter& painter, const Fit& fit) : m_painter(painter), m_fit(fit) {}

    void operator()(const Line& line) const {
        QPen pen(kLineColor, 1);
        if (line.linetype == u"HIDDEN") {
            pen.setStyle(Qt::DashLine);
        } else if (line.linetype == u"CENTER") {
            pen.setStyle(Qt::DashDotLine);
        }
        m_painter.setPen(pen);
        m_painter.drawLine(m_fit(line.start), m_fit(line.end));
    }

    void operator()(const Circle& circle) const {
        m_painter.setPen(QPen(kLineColor, 1));
        const double r = circle.radius * m_fit.scale();
        m_painter.drawEllipse(m_fit(circle.centre), r, r);
    }

    // Counter-clockwise in the drawing stays counter-clockwise on screen, as y is flipped.
    void operator()(const Arc& arc) const {
        m_painter.setPen(QPen(kLineColor, 1));
        const double r = arc.radius * m_fit.scale();
        const QPointF c = m_fit(arc.centre);
        double sweep = std::fmod(arc.endAngle - arc.startAngle, 2 * M_PI);
        if (sweep <= 0) {
            sweep += 2 * M_PI;
        }
        m_painter.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r),
                          qRound(qRadiansToDegrees(arc.startAngle) * 16),
                          qRound(qRadiansToDegrees(sweep) * 16));
    }

    void operator()(const Text& text) const {
        const QFont font = textFont();
        const double scale = textScale(text, QFontMetricsF(font)) * m_fit.scale();
        m_painter.save();
        m_painter.setPen(QPen(kLineColor, 1));
        m_painter.setFont(font);
        m_painter.translate(m_fit(text.at));
        m_painter.rotate(-qRadiansToDegrees(text.rotation.value_or(0)));
        m_painter.scale(scale * text.widthFactor, scale);
        m_painter.drawText(QPointF(0, 0), shownText(text));
        m_painter.restore();
    }

private:
    QPainter& m_painter;
    const Fit& m_fit;
};

}  // namespace

SymbolThumbnail::SymbolThumbnail(Primitives primitives, QWidget* parent)
    : QFrame(parent), m_primitives(std::move(primitives)) {
    const QFontMetricsF metrics(textFont());
    for (const Primitive& p : m_primitives) {
        const QRectF r = extentOf(p, metrics);
        m_extent = m_extent.isNull() ? r : m_extent.united(r);
    }
    setLineWidth(1);
    setLook(Look::Normal);
}

void SymbolThumbnail::setLook(Look look) {
    m_look = look;
    setFrameStyle(look == Look::Selected ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    update();
}

void SymbolThumbnail::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_look == Look::Selected ? kSelectedBackground : kNormalBackground);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area = QRectF(contentsRect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const Fit fit(m_extent, area);
    const PrimitivePainter paint(painter, fit);
    for (const Primitive& p : m_primitives) {
        std::visit(paint, p);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawFrame(&painter);
}

void SymbolThumbnail::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
}

void SymbolThumbnail::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click) {
        Q_EMIT clicked();
    }
}

void SymbolThumbnail::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Q_EMIT doubleClicked();
    }
}

}  // namespace symbols
