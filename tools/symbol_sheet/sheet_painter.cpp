// Painting symbol primitives for the sheet: fit, map to the y-down pixel grid, stroke.
#include "sheet_painter.h"

#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace sheet {

namespace {

// The region a primitive occupies, texts estimated from their height and length.
QRectF boundsOf(const symbols::Primitive& p) {
    return std::visit(
        [](const auto& s) -> QRectF {
            using T = std::decay_t<decltype(s)>;
            if constexpr (std::is_same_v<T, symbols::Line>) {
                return QRectF(s.start, s.end).normalized();
            } else if constexpr (std::is_same_v<T, symbols::Text>) {
                const double length = s.text.size() * s.height * s.widthFactor;
                QRectF r(s.at, QSizeF(length, s.height));
                if (s.rotation) {
                    r = QRectF(s.at.x() - s.height, s.at.y(), s.height, length);
                }
                return r;
            } else {
                return QRectF(s.centre.x() - s.radius, s.centre.y() - s.radius, 2 * s.radius,
                              2 * s.radius);
            }
        },
        p);
}

class CellMapper {
public:
    CellMapper(const QRectF& cell, const QRectF& world) {
        const double margin = 10;
        m_scale = std::min((cell.width() - 2 * margin) / std::max(world.width(), 1e-6),
                           (cell.height() - 2 * margin) / std::max(world.height(), 1e-6));
        m_offset = cell.center();
        m_centre = world.center();
    }
    QPointF operator()(QPointF p) const {
        return {m_offset.x() + (p.x() - m_centre.x()) * m_scale,
                m_offset.y() - (p.y() - m_centre.y()) * m_scale};
    }
    double scale() const { return m_scale; }

private:
    double m_scale;
    QPointF m_offset;
    QPointF m_centre;
};

QPen penFor(const symbols::Line& line) {
    QPen pen(line.color == 1 ? QColor(Qt::red) : QColor(Qt::white), 1.2);
    if (line.linetype == u"HIDDEN") {
        pen.setStyle(Qt::DashLine);
    } else if (line.linetype == u"CENTER") {
        pen.setStyle(Qt::DashDotLine);
    }
    return pen;
}

}  // namespace

void paintPrimitives(QPainter& painter, const QRectF& cell, const symbols::Primitives& primitives) {
    QRectF world;
    for (const auto& p : primitives) {
        world = world.isNull() ? boundsOf(p) : world.united(boundsOf(p));
    }
    world = world.united(QRectF(0, 0, 1e-6, 1e-6));  // keep the insertion point in view
    const CellMapper map(cell, world);
    const QPen plain(Qt::white, 1.2);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(cell);
    for (const auto& primitive : primitives) {
        if (const auto* l = std::get_if<symbols::Line>(&primitive)) {
            painter.setPen(penFor(*l));
            painter.drawLine(map(l->start), map(l->end));
        } else if (const auto* c = std::get_if<symbols::Circle>(&primitive)) {
            painter.setPen(plain);
            const double r = c->radius * map.scale();
            painter.drawEllipse(map(c->centre), r, r);
        } else if (const auto* a = std::get_if<symbols::Arc>(&primitive)) {
            painter.setPen(plain);
            const double r = a->radius * map.scale();
            const QPointF centre = map(a->centre);
            double sweep = std::fmod(a->endAngle - a->startAngle, 2 * M_PI);
            if (sweep <= 0) {
                sweep += 2 * M_PI;
            }
            painter.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r),
                            qRound(qRadiansToDegrees(a->startAngle) * 16),
                            qRound(qRadiansToDegrees(sweep) * 16));
        } else if (const auto* t = std::get_if<symbols::Text>(&primitive)) {
            painter.save();
            painter.setPen(plain);
            QFont font(u"Noto Sans CJK SC"_s);
            font.setPixelSize(std::max(1, qRound(t->height * map.scale() / 0.75)));
            painter.setFont(font);
            painter.translate(map(t->at));
            painter.rotate(-qRadiansToDegrees(t->rotation.value_or(0)));
            painter.scale(t->widthFactor, 1);
            QString shown = t->text;
            shown.replace(u"%%c"_s, u"Ø"_s);
            painter.drawText(QPointF(0, 0), shown);
            painter.restore();
        }
    }
    const QPointF p = map(QPointF(0, 0));
    painter.setPen(QPen(QColor(0, 200, 0), 1));
    painter.drawLine(p + QPointF(-4, 0), p + QPointF(4, 0));
    painter.drawLine(p + QPointF(0, -4), p + QPointF(0, 4));
    painter.restore();
}

}  // namespace sheet
