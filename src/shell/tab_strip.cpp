// The multi-row tab strip: rows of equal tabs over the body where the pages sit.
#include "shell/tab_strip.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

namespace shell {

TabStrip::TabStrip(QStringList captions, int tabsPerRow, int rowHeight, QWidget* parent)
    : QWidget(parent),
      m_captions(std::move(captions)),
      m_tabsPerRow(tabsPerRow),
      m_rowHeight(rowHeight) {
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
}

void TabStrip::clickTab(int index) {
    if (index < 0 || index >= count()) {
        return;
    }
    m_current = index;
    update();
    Q_EMIT clicked();
}

int TabStrip::rowCount() const {
    return (count() + m_tabsPerRow - 1) / m_tabsPerRow;
}

int TabStrip::rowsHeight() const {
    return rowCount() * m_rowHeight;
}

QRect TabStrip::tabRect(int index) const {
    const int row = index / m_tabsPerRow;
    const int column = index % m_tabsPerRow;
    // Integer edges so the tabs of a row fill its width exactly.
    const int left = width() * column / m_tabsPerRow;
    const int right = width() * (column + 1) / m_tabsPerRow;
    return QRect(left, row * m_rowHeight, right - left, m_rowHeight);
}

void TabStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colors = palette();
    const QRect body(0, rowsHeight(), width() - 1, height() - rowsHeight() - 1);
    painter.fillRect(body, colors.window());
    painter.setPen(colors.color(QPalette::Mid));
    painter.drawRect(body);

    for (int i = 0; i < count(); ++i) {
        const bool selected = i == m_current;
        const QRect tab = tabRect(i).adjusted(0, 1, -1, 0);
        QPainterPath outline;
        outline.moveTo(tab.bottomLeft());
        outline.lineTo(tab.left(), tab.top() + 2);
        outline.quadTo(tab.topLeft(), QPointF(tab.left() + 2, tab.top()));
        outline.lineTo(tab.right() - 2, tab.top());
        outline.quadTo(tab.topRight(), QPointF(tab.right(), tab.top() + 2));
        outline.lineTo(tab.bottomRight());
        painter.fillPath(outline, selected ? colors.base() : colors.button());
        painter.setPen(colors.color(selected ? QPalette::Dark : QPalette::Mid));
        painter.drawPath(outline);
        painter.setPen(colors.color(QPalette::ButtonText));
        painter.drawText(tab, Qt::AlignCenter, m_captions.at(i));
        if (selected && hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = tab.adjusted(3, 3, -3, -2);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
}

void TabStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    for (int i = 0; i < count(); ++i) {
        if (tabRect(i).contains(event->position().toPoint())) {
            clickTab(i);
            return;
        }
    }
}

void TabStrip::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            clickTab(m_current - 1);
            break;
        case Qt::Key_Right:
            clickTab(m_current + 1);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace shell
