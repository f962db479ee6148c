// The multi-row tab strip, drawn with the style's own tab and tab-body primitives.
#include "shell/tab_strip.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QTabBar>

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

    QStyleOptionTabWidgetFrame body;
    body.initFrom(this);
    body.shape = QTabBar::RoundedNorth;
    body.rect = QRect(0, rowsHeight(), width(), height() - rowsHeight());
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &body, &painter, this);

    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab tab;
        tab.initFrom(this);
        tab.shape = QTabBar::RoundedNorth;
        tab.rect = tabRect(i);
        tab.text = m_captions.at(i);
        const int column = i % m_tabsPerRow;
        tab.position = column == 0                  ? QStyleOptionTab::Beginning
                       : column == m_tabsPerRow - 1 ? QStyleOptionTab::End
                                                    : QStyleOptionTab::Middle;
        tab.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        if (i == m_current) {
            tab.state |= QStyle::State_Selected;
            if (hasFocus()) {
                tab.state |= QStyle::State_HasFocus;
            }
        }
        style()->drawControl(QStyle::CE_TabBarTab, &tab, &painter, this);
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
