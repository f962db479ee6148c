// The drawing view: paints the scene, pans and zooms, and runs point picks and selections.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>
#include <set>

#include "sketchcad/scene.h"
#include "sketchcad/text_font.h"

namespace sketchcad {

class DrawingView : public QWidget {
    Q_OBJECT
public:
    enum class Mode { Idle, Point, Select };

    explicit DrawingView(QWidget* parent = nullptr);

    // The scene to draw; the view stays where it is unless fit is set (a drawing just opened).
    void setScene(std::shared_ptr<const Scene> scene, bool fit);
    const Scene* scene() const { return m_scene.get(); }
    const TextFont& textFont() const { return m_font; }

    void zoomExtents();
    // Zooms by the factor (> 1 closer) keeping the drawing under pos (pixels) in place.
    void zoomAt(QPointF pos, double factor);
    double scale() const { return m_scale; }  // pixels per drawing unit
    QPointF toScreen(QPointF world) const;
    QPointF toWorld(QPointF screen) const;
    // Paints the whole view into a painter of its size (the benchmark times this).
    void paintScene(QPainter& painter) const;

    Mode mode() const { return m_mode; }
    void startPointPick(std::optional<QPointF> basePoint);
    void startSelection();
    // Ends any pick without an answer.
    void stopPicking();
    // Ends the pick as Esc does.
    void cancelPick();
    // Ends a selection with what is selected, as Enter does.
    void finishSelection();
    // The base point of the point pick under way.
    std::optional<QPointF> basePoint() const { return m_base; }
    // Handles of the selected entities, in drawing order.
    QStringList selectedHandles() const;
    int selectedCount() const { return int(m_selected.size()); }

Q_SIGNALS:
    void pointPicked(QPointF world);
    void selectionFinished(const QStringList& handles);
    void pickCancelled();
    // Text typed into the view during a point pick: the start of coordinates.
    void textTyped(const QString& text);
    void cursorMoved(QPointF world);
    void selectionChanged(int count);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static constexpr double kPickPixels = 5;  // how near a click must be to an entity or a snap

    QTransform worldToScreen() const;
    // The kept picture of the drawing is out of date: paint it anew.
    void redraw();
    // The point a click at pos means: the nearest snap point within a few pixels, or pos itself.
    QPointF pickedPoint(QPointF pos) const;
    void finishRectangle(QPointF from, QPointF to);
    void paintOverlay(QPainter& painter) const;

    TextFont m_font;
    std::shared_ptr<const Scene> m_scene;
    QPointF m_center;    // drawing coordinates at the middle of the view
    double m_scale = 1;  // pixels per unit
    bool m_fitPending = false;
    bool m_painted = false;

    Mode m_mode = Mode::Idle;
    std::optional<QPointF> m_base;      // rubber band origin (drawing coordinates)
    std::optional<QPointF> m_cursor;    // last mouse position (pixels)
    std::optional<QPointF> m_dragFrom;  // selection rectangle's first corner (pixels)
    bool m_rectangleByClicks = false;   // first corner placed by a click on empty space
    int m_hover = -1;                   // the item under the cursor while selecting
    std::set<std::shared_ptr<cad::memory::Entity>> m_selected;

    std::optional<QPointF> m_panFrom;
    QImage m_cache;
    QPointF m_panOffset;  // of the kept picture while a pan is under way
    bool m_cacheValid = false;
};

}  // namespace sketchcad
