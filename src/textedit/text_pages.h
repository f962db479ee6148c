// Tabs 1 to 4, "数值大小加增", "数值大小倍增", "字符大小加增" and "字符大小倍增": the condition
// options and their boxes, the amount or factor box, and the two buttons of each tab.
#pragma once

#include <QString>
#include <array>

#include "pagekit/filter_panel.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace cad {
enum class Scope;
}

namespace pagekit {
class PageHost;
}

namespace textedit {

class TextPages {
public:
    static constexpr int kTabs = 4;

    // Builds the four tabs on their frames; the host runs their handlers.
    TextPages(const std::array<QWidget*, kTabs>& frames, pagekit::PageHost& host);

    // The condition panel of tab 1 to 4.
    const pagekit::FilterPanel& filterPanel(int tab) const { return m_panels.at(tab - 1); }
    // The prefix letter tab 1's coordinate option asked for.
    const QString& coordPrefix() const { return m_coordPrefix; }

private:
    void buildNumberAddPage(QWidget* frame);
    void buildChangePage(QWidget* frame, int tab);
    void askCoordPrefix();
    // The tab's operation on its box and condition; a box that is no number is refused, and
    // tabs 2 to 4 empty it, while tab 1 keeps what was typed.
    void run(int tab, cad::Scope scope);

    pagekit::PageHost& m_host;
    std::array<pagekit::FilterPanel, kTabs> m_panels;
    std::array<QLineEdit*, kTabs> m_amountBoxes{};
    QComboBox* m_heightBox = nullptr;
    QRadioButton* m_allNumbers = nullptr;
    QString m_coordPrefix;
};

}  // namespace textedit
