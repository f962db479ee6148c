// DrawingView: the view's placement over the drawing, panning and zooming, and the pick state
// machine.
#include "sketchcad/drawing_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>

#include "cad/memory/entity.h"
#include "sketchcad/hit_test.h"

namespace sketchcad {

namespace {

constexpr double kDragPixels = 4;  // a press and release further apart than this is a drag

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

void DrawingView::redraw() {
    m_cacheValid = false;
    update();
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
