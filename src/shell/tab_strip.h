// TabStrip: a tab strip that shows all its captions at once, in rows, with no scroll arrows.
#pragma once

#include <QStringList>
#include <QWidget>

namespace shell {

// Tabs sit in rows of equal width above the body; the body is the strip's area below the rows,
// where the pages' frames are placed (the frames are the window's children, not the strip's).
class TabStrip : public QWidget {
    Q_OBJECT

public:
    TabStrip(QStringList captions, int tabsPerRow, int rowHeight, QWidget* parent = nullptr);

    int count() const { return int(m_captions.size()); }
    const QString& caption(int index) const { return m_captions.at(index); }
    // 0-based; tab 1 of the window is index 0.
    int currentIndex() const { return m_current; }
    // Selects a tab as a click on it does, clicked() included.
    void clickTab(int index);
    QRect tabRect(int index) const;
    // Height of the rows of tabs; the body starts below it.
    int rowsHeight() const;

Q_SIGNALS:
    // A tab was clicked (the selected one included) and is now current.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int rowCount() const;

    QStringList m_captions;
    int m_tabsPerRow;
    int m_rowHeight;
    int m_current = 0;
};

}  // namespace shell
