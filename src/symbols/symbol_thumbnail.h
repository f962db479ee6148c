// PicBlock: one symbol's thumbnail, painted from its geometry at the screen's own resolution.
#pragma once

#include <QFrame>
#include <QRectF>

#include "symbols/symbol.h"

namespace symbols {

class SymbolThumbnail : public QFrame {
    Q_OBJECT

public:
    // Normal: white lines on black. Selected: white lines on dark green, with a single-line border.
    enum class Look { Normal, Selected };

    SymbolThumbnail(Primitives primitives, QWidget* parent);

    void setLook(Look look);
    Look look() const { return m_look; }

Q_SIGNALS:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Primitives m_primitives;
    QRectF m_extent;  // symbol-local units, y up
    Look m_look = Look::Normal;
    // A click is a press and a release on the picture; the release that ends a double click is
    // not a second click.
    bool m_pressed = false;
};

}  // namespace symbols
