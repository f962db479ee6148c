// DrawingView's painting: the kept picture of the scene, culled and batched by colour, and the
// pick's overlay drawn over it.
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <optional>

#include "sketchcad/dash_pattern.h"
#include "sketchcad/drawing_view.h"
#include "sketchcad/hit_test.h"

namespace sketchcad {

namespace {

const QColor kBackground(33, 40, 48);
const QColor kHighlight(90, 170, 255);
// Below this many pixels a text is drawn as its baseline, and a dash period as a solid line.
constexpr double kSmallTextPixels = 4;
constexpr double kSmallPeriodPixels = 6;

QColor rgbColor(quint32 rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// Drawing coordinates to pixels, as the view's transform does, for every point painted.
struct ToScreen {
    double scale;
    double dx;
    double dy;

    QPointF operator()(QPointF p) const { return QPointF(p.x() * scale + dx, dy - p.y() * scale); }
};

// Line segments waiting to be drawn, one list per colour: a few drawLines calls per paint.
class Batches {
public:
    QVector<QLineF>& of(quint32 rgb) {
        auto it = m_index.constFind(rgb);
        if (it == m_index.constEnd()) {
            it = m_index.insert(rgb, int(m_lines.size()));
            m_lines.emplace_back();
            m_colors.push_back(rgb);
        }
        return m_lines[*it];
    }
    // In each list's colour, or all in one pen when given.
    void draw(QPainter& painter, const std::optional<QPen>& pen = std::nullopt) const {
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            painter.setPen(pen ? *pen : QPen(rgbColor(m_colors[i]), 0));
            painter.drawLines(m_lines[i]);
        }
    }

private:
    QHash<quint32, int> m_index;
    std::vector<QVector<QLineF>> m_lines;
    std::vector<quint32> m_colors;
};

// Dashed strokes, one group per colour and linetype pattern: the pen dashes them. Each line
// starts its pattern afresh, as each entity does; a polyline carries it round its corners.
class DashedBatches {
public:
    struct Group {
        quint32 rgb;
        qint32 pattern;
        QVector<QLineF> lines;
        std::vector<QPolygonF> polylines;
    };
    Group& of(quint32 rgb, qint32 pattern) {
        const quint64 key = (quint64(rgb) << 32) | quint32(pattern);
        auto it = m_index.constFind(key);
        if (it == m_index.constEnd()) {
            it = m_index.insert(key, int(m_groups.size()));
            m_groups.push_back({rgb, pattern, {}, {}});
        }
        return m_groups[*it];
    }
    void draw(QPainter& painter, const Scene& scene, double pixelsPerUnit) const {
        for (const Group& g : m_groups) {
            QPen pen(rgbColor(g.rgb), 0);
            if (auto dashes = penDashes(scene.patterns[g.pattern], pixelsPerUnit)) {
                pen.setDashPattern(dashes->pattern);
                pen.setDashOffset(dashes->offset);
            }
            painter.setPen(pen);
            painter.drawLines(g.lines);
            for (const QPolygonF& p : g.polylines) {
                painter.drawPolyline(p);
            }
        }
    }

private:
    QHash<quint64, int> m_index;
    std::vector<Group> m_groups;
};

// One paint of the scene: the visible items sorted into fills, solid and dashed strokes, texts
// and the selection's highlight, then drawn in that order.
class ScenePaint {
public:
    ScenePaint(const Scene& scene, ToScreen map) : m_scene(scene), m_map(map) {}

    void add(const Item& item, bool selected) {
        const double size = std::max(item.box.width(), item.box.height()) * m_map.scale;
        if (size < 1) {
            addDot(item, selected);
            return;
        }
        for (const Fill& f : m_scene.fillsOf(std::size_t(&item - m_scene.items.data()))) {
            m_fills.emplace_back(&f, size);
        }
        for (quint32 i = item.strokeBegin; i < item.strokeEnd; ++i) {
            addStroke(m_scene.strokes[i], selected, size);
        }
        for (quint32 i = item.textBegin; i < item.textEnd; ++i) {
            addText(m_scene.texts[i], selected);
        }
    }

    // Filled areas first, in drawing order: lines and texts stay visible over them.
    void drawFills(QPainter& painter) const;
    void drawStrokes(QPainter& painter) const {
        m_solid.draw(painter);
        m_dashed.draw(painter, m_scene, m_map.scale);
    }
    void drawTexts(QPainter& painter, const TextFont& font, const QTransform& worldToScreen) const;
    void drawHighlight(QPainter& painter) const {
        m_highlighted.draw(painter, QPen(kHighlight, 0, Qt::DashLine));
    }

private:
    Batches& lines(bool selected) { return selected ? m_highlighted : m_solid; }
    // An item smaller than a pixel: one dot in the first colour it has.
    void addDot(const Item& item, bool selected);
    void addStroke(const Stroke& st, bool selected, double size);
    void addDashed(const Stroke& st);
    void addText(const TextRun& t, bool selected);

    const Scene& m_scene;
    const ToScreen m_map;
    Batches m_solid;
    DashedBatches m_dashed;
    Batches m_highlighted;
    std::vector<const TextRun*> m_texts;
    std::vector<std::pair<const Fill*, double>> m_fills;  // with the item's size in pixels
};

void ScenePaint::addDot(const Item& item, bool selected) {
    quint32 rgb = 0xFFFFFF;
    if (item.strokeBegin < item.strokeEnd) {
        rgb = m_scene.strokes[item.strokeBegin].rgb;
    } else if (item.textBegin < item.textEnd) {
        rgb = m_scene.texts[item.textBegin].rgb;
    }
    const QPointF p = m_map(item.box.center());
    lines(selected).of(rgb).append(QLineF(p, p + QPointF(1, 0)));
}

void ScenePaint::addStroke(const Stroke& st, bool selected, double size) {
    if (st.pattern >= 0 && !selected && st.period * m_map.scale >= kSmallPeriodPixels) {
        addDashed(st);
        return;
    }
    const QPointF* p = m_scene.points.data() + st.first;
    QVector<QLineF>& out = lines(selected).of(st.rgb);
    if (st.count == 1) {
        // A point entity: a small cross.
        const QPointF c = m_map(p[0]);
        out.append(QLineF(c - QPointF(2, 0), c + QPointF(3, 0)));
        out.append(QLineF(c - QPointF(0, 2), c + QPointF(0, 3)));
        return;
    }
    // A curve only a few pixels across needs only a few of its points.
    const quint32 step = std::max<quint32>(1, (st.count - 1) / std::max(8u, quint32(2 * size)));
    QPointF prev = m_map(p[0]);
    for (quint32 k = step; k < st.count + step - 1; k += step) {
        const QPointF next = m_map(p[std::min(k, st.count - 1)]);
        out.append(QLineF(prev, next));
        prev = next;
    }
}

void ScenePaint::addDashed(const Stroke& st) {
    const QPointF* p = m_scene.points.data() + st.first;
    DashedBatches::Group& group = m_dashed.of(st.rgb, st.pattern);
    if (st.count == 2) {
        group.lines.append(QLineF(m_map(p[0]), m_map(p[1])));
        return;
    }
    QPolygonF polyline;
    polyline.reserve(st.count);
    for (quint32 k = 0; k < st.count; ++k) {
        polyline.append(m_map(p[k]));
    }
    group.polylines.push_back(std::move(polyline));
}

// A text too small to read is drawn as its baseline; a selected one also gets its box
// highlighted.
void ScenePaint::addText(const TextRun& t, bool selected) {
    const QPointF o = t.toWorld.map(QPointF(0, 0));
    const double pixels = QLineF(o, t.toWorld.map(QPointF(0, 1))).length() * m_map.scale;
    if (pixels < kSmallTextPixels) {
        const QPointF end = t.toWorld.map(QPointF(t.advance, 0));
        lines(selected).of(t.rgb).append(QLineF(m_map(o), m_map(end)));
        return;
    }
    if (selected) {
        const auto c = t.corners();
        for (int k = 0; k < 4; ++k) {
            m_highlighted.of(t.rgb).append(QLineF(m_map(c[k]), m_map(c[(k + 1) % 4])));
        }
    }
    m_texts.push_back(&t);
}

void ScenePaint::drawFills(QPainter& painter) const {
    if (m_fills.empty()) {
        return;
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    std::optional<quint32> brush;
    QPolygonF polygon;
    for (const auto& [f, pixels] : m_fills) {
        if (brush != f->rgb) {
            painter.setBrush(rgbColor(f->rgb));
            brush = f->rgb;
        }
        // One polygon for all the loops: each closed, and the way back to the first point
        // after it gone over twice, which counts for nothing under either fill rule.
        polygon.clear();
        for (quint32 i = f->firstLoop; i < f->firstLoop + f->loopCount; ++i) {
            const Loop& loop = m_scene.loops[i];
            const QPointF* p = m_scene.points.data() + loop.first;
            // An area a few pixels across needs only a few of its points.
            const quint32 step =
                std::max<quint32>(1, loop.count / std::max(8u, quint32(2 * pixels)));
            for (quint32 k = 0; k < loop.count; k += step) {
                polygon.append(m_map(p[k]));
            }
            polygon.append(m_map(p[0]));
            if (i > f->firstLoop) {
                polygon.append(polygon.front());
            }
        }
        painter.drawPolygon(polygon, f->rule);
    }
    painter.restore();
}

void ScenePaint::drawTexts(QPainter& painter, const TextFont& font,
                           const QTransform& worldToScreen) const {
    if (m_texts.empty()) {
        return;
    }
    painter.save();
    painter.setFont(font.font());
    for (const TextRun* t : m_texts) {
        painter.setPen(rgbColor(t->rgb));
        font.draw(painter, t->toWorld * worldToScreen, t->text);
    }
    painter.restore();
}

}  // namespace

void DrawingView::paintEvent(QPaintEvent*) {
    m_painted = true;
    m_fitPending = false;
    // The drawing is painted once per view and kept; the cursor's rubber band, snap marker and
    // rectangle are drawn over the kept picture, so moving the mouse costs a copy.
    const QSize pixels = size() * devicePixelRatio();
    if (m_cache.size() != pixels) {
        m_cache = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_cache.setDevicePixelRatio(devicePixelRatio());
        m_cacheValid = false;
    }
    if (!m_cacheValid) {
        QPainter cachePainter(&m_cache);
        paintScene(cachePainter);
        m_cacheValid = true;
        m_panOffset = QPointF();
    }
    QPainter painter(this);
    if (!m_panOffset.isNull()) {
        painter.fillRect(rect(), kBackground);
    }
    painter.drawImage(m_panOffset, m_cache);
    paintOverlay(painter);
}

void DrawingView::paintScene(QPainter& painter) const {
    painter.fillRect(rect(), kBackground);
    if (!m_scene) {
        return;
    }
    const QTransform xf = worldToScreen();
    ScenePaint paint(*m_scene, ToScreen{m_scale, xf.dx(), xf.dy()});
    const Box visible = Box::of(toWorld(QPointF(0, 0)), toWorld(QPointF(width(), height())));
    const bool anySelected = !m_selected.empty();
    for (const Item& item : m_scene->items) {
        if (visible.intersects(item.box)) {
            paint.add(item, anySelected && m_selected.count(item.entity));
        }
    }
    paint.drawFills(painter);
    paint.drawStrokes(painter);
    paint.drawTexts(painter, m_font, xf);
    if (anySelected) {
        paint.drawHighlight(painter);
    }
}

void DrawingView::paintOverlay(QPainter& painter) const {
    if (m_mode == Mode::Point && m_cursor) {
        const QPointF at = toScreen(pickedPoint(*m_cursor));
        if (m_base) {
            painter.setPen(QPen(QColor(255, 255, 255), 0, Qt::DashLine));
            painter.drawLine(toScreen(*m_base), at);
        }
        const QPointF world = toWorld(*m_cursor);
        if (m_scene && snapAt(*m_scene, world, kPickPixels / m_scale)) {
            painter.setPen(QPen(QColor(255, 200, 0), 2));
            painter.drawRect(QRectF(at - QPointF(5, 5), QSizeF(10, 10)));
        }
    }
    if (m_mode == Mode::Select && m_hover >= 0 && m_scene) {
        // What a click here would take or give back.
        const Item& item = m_scene->items[m_hover];
        const QTransform xf = worldToScreen();
        painter.setPen(QPen(kHighlight, 2));
        for (quint32 i = item.strokeBegin; i < item.strokeEnd; ++i) {
            const Stroke& st = m_scene->strokes[i];
            QPolygonF line;
            for (quint32 k = 0; k < st.count; ++k) {
                line.append(xf.map(m_scene->points[st.first + k]));
            }
            painter.drawPolyline(line);
        }
        for (quint32 i = item.textBegin; i < item.textEnd; ++i) {
            const auto c = m_scene->texts[i].corners();
            painter.drawPolygon(
                QPolygonF({xf.map(c[0]), xf.map(c[1]), xf.map(c[2]), xf.map(c[3])}));
        }
    }
    if (m_mode == Mode::Select && m_dragFrom && m_cursor) {
        const QRectF r = QRectF(*m_dragFrom, *m_cursor).normalized();
        const bool window = m_cursor->x() >= m_dragFrom->x();
        painter.setPen(QPen(window ? QColor(120, 170, 255) : QColor(120, 230, 120), 0,
                            window ? Qt::SolidLine : Qt::DashLine));
        painter.setBrush(window ? QColor(60, 110, 220, 50) : QColor(60, 200, 60, 50));
        painter.drawRect(r);
    }
}

}  // namespace sketchcad
