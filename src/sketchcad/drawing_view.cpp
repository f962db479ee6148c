// DrawingView: culled, colour-batched painting of the cached scene, and the pick state machine.
#include "sketchcad/drawing_view.h"

#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "cad/memory/entity.h"
#include "sketchcad/dash_pattern.h"
#include "sketchcad/hit_test.h"

namespace sketchcad {

namespace {

const QColor kBackground(33, 40, 48);
const QColor kHighlight(90, 170, 255);
constexpr double kPickPixels = 5;  // how near a click must be to an entity or a snap point
constexpr double kDragPixels = 4;  // a press and release further apart than this is a drag
// Below this many pixels a text is drawn as its baseline, and a dash period as a solid line.
constexpr double kSmallTextPixels = 4;
constexpr double kSmallPeriodPixels = 6;

QColor rgbColor(quint32 rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

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

}  // namespace

DrawingView::DrawingView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("drawingView"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
}

void DrawingView::setScene(std::shared_ptr<const Scene> scene, bool fit) {
    m_scene = std::move(scene);
    m_hover = -1;
    if (fit) {
        zoomExtents();
    }
    redraw();
}

void DrawingView::zoomExtents() {
    const Box e = m_scene ? m_scene->extents : Box();
    if (e.isEmpty()) {
        // An empty drawing shows an A3 sheet's worth of space around the origin.
        m_center = QPointF(210, 148.5);
        m_scale = std::min(width() / 462.0, height() / 327.0);
    } else {
        m_center = e.center();
        const double w = std::max(e.width(), 1e-9);
        const double h = std::max(e.height(), 1e-9);
        m_scale = 0.92 * std::min(width() / w, height() / h);
        if (e.width() == 0 && e.height() == 0) {
            m_scale = 1;
        }
    }
    if (!(m_scale > 0) || !std::isfinite(m_scale)) {
        m_scale = 1;
    }
    // Until the view is first painted its size may still change (the window being laid out).
    m_fitPending = !m_painted;
    redraw();
}

QTransform DrawingView::worldToScreen() const {
    return QTransform(m_scale, 0, 0, -m_scale, width() / 2.0 - m_center.x() * m_scale,
                      height() / 2.0 + m_center.y() * m_scale);
}

QPointF DrawingView::toScreen(QPointF world) const {
    return worldToScreen().map(world);
}

QPointF DrawingView::toWorld(QPointF screen) const {
    return {m_center.x() + (screen.x() - width() / 2.0) / m_scale,
            m_center.y() - (screen.y() - height() / 2.0) / m_scale};
}

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

void DrawingView::redraw() {
    m_cacheValid = false;
    update();
}

void DrawingView::paintScene(QPainter& painter) const {
    painter.fillRect(rect(), kBackground);
    if (!m_scene) {
        return;
    }
    const Scene& scene = *m_scene;
    const QTransform xf = worldToScreen();
    const double s = m_scale;
    const double dx = xf.dx();
    const double dy = xf.dy();
    auto map = [&](QPointF p) { return QPointF(p.x() * s + dx, dy - p.y() * s); };
    const Box visible = Box::of(toWorld(QPointF(0, 0)), toWorld(QPointF(width(), height())));

    Batches batches;
    DashedBatches dashed;
    Batches highlighted;
    std::vector<const TextRun*> texts;
    std::vector<std::pair<const Fill*, double>> fills;  // with the item's size in pixels
    const bool anySelected = !m_selected.empty();
    for (const Item& item : scene.items) {
        if (!visible.intersects(item.box)) {
            continue;
        }
        const bool selected = anySelected && m_selected.count(item.entity);
        const double size = std::max(item.box.width(), item.box.height()) * s;  // pixels
        if (size < 1) {
            // Smaller than a pixel: one dot in the first colour it has.
            quint32 rgb = 0xFFFFFF;
            if (item.strokeBegin < item.strokeEnd) {
                rgb = scene.strokes[item.strokeBegin].rgb;
            } else if (item.textBegin < item.textEnd) {
                rgb = scene.texts[item.textBegin].rgb;
            }
            const QPointF p = map(item.box.center());
            (selected ? highlighted : batches).of(rgb).append(QLineF(p, p + QPointF(1, 0)));
            continue;
        }
        for (const Fill& f : scene.fillsOf(std::size_t(&item - scene.items.data()))) {
            fills.emplace_back(&f, size);
        }
        for (quint32 i = item.strokeBegin; i < item.strokeEnd; ++i) {
            const Stroke& st = scene.strokes[i];
            const QPointF* p = scene.points.data() + st.first;
            if (st.pattern >= 0 && !selected && st.period * s >= kSmallPeriodPixels) {
                DashedBatches::Group& group = dashed.of(st.rgb, st.pattern);
                if (st.count == 2) {
                    group.lines.append(QLineF(map(p[0]), map(p[1])));
                } else {
                    QPolygonF polyline;
                    polyline.reserve(st.count);
                    for (quint32 k = 0; k < st.count; ++k) {
                        polyline.append(map(p[k]));
                    }
                    group.polylines.push_back(std::move(polyline));
                }
                continue;
            }
            QVector<QLineF>& out = (selected ? highlighted : batches).of(st.rgb);
            if (st.count == 1) {
                // A point entity: a small cross.
                const QPointF c = map(p[0]);
                out.append(QLineF(c - QPointF(2, 0), c + QPointF(3, 0)));
                out.append(QLineF(c - QPointF(0, 2), c + QPointF(0, 3)));
                continue;
            }
            // A curve only a few pixels across needs only a few of its points.
            const quint32 step =
                std::max<quint32>(1, (st.count - 1) / std::max(8u, quint32(2 * size)));
            QPointF prev = map(p[0]);
            for (quint32 k = step; k < st.count + step - 1; k += step) {
                const QPointF next = map(p[std::min(k, st.count - 1)]);
                out.append(QLineF(prev, next));
                prev = next;
            }
        }
        for (quint32 i = item.textBegin; i < item.textEnd; ++i) {
            const TextRun& t = scene.texts[i];
            const QPointF o = t.toWorld.map(QPointF(0, 0));
            const double pixels = QLineF(o, t.toWorld.map(QPointF(0, 1))).length() * s;
            if (pixels < kSmallTextPixels) {
                const QPointF end = t.toWorld.map(QPointF(t.advance, 0));
                (selected ? highlighted : batches).of(t.rgb).append(QLineF(map(o), map(end)));
            } else if (selected) {
                const auto c = t.corners();
                for (int k = 0; k < 4; ++k) {
                    highlighted.of(t.rgb).append(QLineF(map(c[k]), map(c[(k + 1) % 4])));
                }
                texts.push_back(&t);
            } else {
                texts.push_back(&t);
            }
        }
    }
    // Filled areas first, in drawing order: lines and texts stay visible over them.
    if (!fills.empty()) {
        painter.save();
        painter.setPen(Qt::NoPen);
        std::optional<quint32> brush;
        QPolygonF polygon;
        for (const auto& [f, pixels] : fills) {
            if (brush != f->rgb) {
                painter.setBrush(rgbColor(f->rgb));
                brush = f->rgb;
            }
            // One polygon for all the loops: each closed, and the way back to the first point
            // after it gone over twice, which counts for nothing under either fill rule.
            polygon.clear();
            for (quint32 i = f->firstLoop; i < f->firstLoop + f->loopCount; ++i) {
                const Loop& loop = scene.loops[i];
                const QPointF* p = scene.points.data() + loop.first;
                // An area a few pixels across needs only a few of its points.
                const quint32 step =
                    std::max<quint32>(1, loop.count / std::max(8u, quint32(2 * pixels)));
                for (quint32 k = 0; k < loop.count; k += step) {
                    polygon.append(map(p[k]));
                }
                polygon.append(map(p[0]));
                if (i > f->firstLoop) {
                    polygon.append(polygon.front());
                }
            }
            painter.drawPolygon(polygon, f->rule);
        }
        painter.restore();
    }
    batches.draw(painter);
    dashed.draw(painter, scene, s);
    if (!texts.empty()) {
        painter.save();
        painter.setFont(m_font.font());
        for (const TextRun* t : texts) {
            painter.setPen(rgbColor(t->rgb));
            m_font.draw(painter, t->toWorld * xf, t->text);
        }
        painter.restore();
    }
    if (anySelected) {
        highlighted.draw(painter, QPen(kHighlight, 0, Qt::DashLine));
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

void DrawingView::resizeEvent(QResizeEvent*) {
    m_cacheValid = false;
    if (m_fitPending) {
        zoomExtents();
    }
}

QPointF DrawingView::pickedPoint(QPointF pos) const {
    const QPointF world = toWorld(pos);
    if (m_scene) {
        if (auto snapped = snapAt(*m_scene, world, kPickPixels / m_scale)) {
            return *snapped;
        }
    }
    // Read to a power of ten below a hundredth of a pixel: nothing a user could aim at is
    // lost, and a position given in round figures comes back as exactly those figures.
    const int digits = int(std::ceil(std::log10(100 * m_scale)));
    auto round = [digits](double v) {
        return digits >= 0 ? std::round(v * std::pow(10.0, digits)) / std::pow(10.0, digits)
                           : std::round(v / std::pow(10.0, -digits)) * std::pow(10.0, -digits);
    };
    return {round(world.x()), round(world.y())};
}

void DrawingView::startPointPick(std::optional<QPointF> basePoint) {
    m_mode = Mode::Point;
    m_base = basePoint;
    m_dragFrom.reset();
    setCursor(Qt::CrossCursor);
    setFocus();
    update();
}

void DrawingView::startSelection() {
    m_mode = Mode::Select;
    m_base.reset();
    m_dragFrom.reset();
    m_rectangleByClicks = false;
    m_selected.clear();
    setCursor(Qt::CrossCursor);
    setFocus();
    redraw();
}

void DrawingView::stopPicking() {
    m_mode = Mode::Idle;
    m_base.reset();
    m_dragFrom.reset();
    const bool hadSelection = !m_selected.empty();
    m_selected.clear();
    m_hover = -1;
    unsetCursor();
    if (hadSelection) {
        redraw();
    }
    update();
}

QStringList DrawingView::selectedHandles() const {
    QStringList handles;
    if (!m_scene) {
        return handles;
    }
    for (const Item& item : m_scene->items) {
        if (m_selected.count(item.entity)) {
            handles.append(item.entity->handleText());
        }
    }
    return handles;
}

void DrawingView::finishRectangle(QPointF from, QPointF to) {
    if (!m_scene) {
        return;
    }
    const Box box = Box::of(toWorld(from), toWorld(to));
    const bool window = to.x() >= from.x();
    for (int i : window ? itemsInWindow(*m_scene, box) : itemsCrossing(*m_scene, box)) {
        m_selected.insert(m_scene->items[i].entity);
    }
    redraw();
    Q_EMIT selectionChanged(selectedCount());
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    m_cursor = pos;
    if (event->button() == Qt::MiddleButton) {
        m_panFrom = pos;
        return;
    }
    if (m_mode == Mode::Point && event->button() == Qt::LeftButton) {
        const QPointF p = pickedPoint(pos);
        stopPicking();
        Q_EMIT pointPicked(p);
        return;
    }
    if (m_mode == Mode::Select) {
        if (event->button() == Qt::RightButton) {
            finishSelection();
        } else if (event->button() == Qt::LeftButton && !m_rectangleByClicks) {
            m_dragFrom = pos;
        }
    }
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    if (m_panFrom && (event->buttons() & Qt::MiddleButton)) {
        const QPointF d = pos - *m_panFrom;
        m_center -= QPointF(d.x() / m_scale, -d.y() / m_scale);
        m_panFrom = pos;
        m_panOffset += d;  // the kept picture moves along until the button is let go
    }
    m_cursor = pos;
    const bool dragging = m_dragFrom && QLineF(*m_dragFrom, pos).length() > kDragPixels;
    m_hover = m_mode == Mode::Select && m_scene && !dragging
                  ? itemAt(*m_scene, toWorld(pos), kPickPixels / m_scale)
                  : -1;
    Q_EMIT cursorMoved(toWorld(pos));
    update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    m_cursor = pos;
    if (event->button() == Qt::MiddleButton) {
        m_panFrom.reset();
        m_panOffset = QPointF();
        redraw();
        return;
    }
    if (m_mode != Mode::Select || event->button() != Qt::LeftButton || !m_dragFrom) {
        return;
    }
    const QPointF from = *m_dragFrom;
    if (QLineF(from, pos).length() > kDragPixels || m_rectangleByClicks) {
        finishRectangle(from, pos);
        m_dragFrom.reset();
        m_rectangleByClicks = false;
    } else {
        const int hit = m_scene ? itemAt(*m_scene, toWorld(pos), kPickPixels / m_scale) : -1;
        if (hit >= 0) {
            const auto& e = m_scene->items[hit].entity;
            if (!m_selected.erase(e)) {
                m_selected.insert(e);
            }
            redraw();
            m_dragFrom.reset();
            Q_EMIT selectionChanged(selectedCount());
        } else {
            // A click on empty space opens a rectangle that the next click closes.
            m_rectangleByClicks = true;
        }
    }
    update();
}

void DrawingView::zoomAt(QPointF pos, double factor) {
    const QPointF before = toWorld(pos);
    m_scale = std::clamp(m_scale * factor, 1e-9, 1e9);
    // Keep the point under the cursor where it was.
    m_center += before - toWorld(pos);
    redraw();
}

void DrawingView::wheelEvent(QWheelEvent* event) {
    zoomAt(event->position(), std::pow(1.2, event->angleDelta().y() / 120.0));
    Q_EMIT cursorMoved(toWorld(event->position()));
}

void DrawingView::finishSelection() {
    if (m_mode == Mode::Select) {
        const QStringList handles = selectedHandles();
        stopPicking();
        Q_EMIT selectionFinished(handles);
    }
}

void DrawingView::cancelPick() {
    if (m_mode != Mode::Idle) {
        stopPicking();
        Q_EMIT pickCancelled();
    }
}

void DrawingView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape && m_mode != Mode::Idle) {
        cancelPick();
        return;
    }
    if (m_mode == Mode::Point && !event->text().isEmpty() && event->text()[0].isPrint()) {
        Q_EMIT textTyped(event->text());
        return;
    }
    if (m_mode == Mode::Select &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        finishSelection();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace sketchcad
