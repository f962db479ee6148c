// frmMain: the one window of the program, its twelve pages, the hint line and the CAD link.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

#include "cad/cad_link.h"
#include "core/colors.h"
#include "pagekit/filter_panel.h"
#include "pagekit/page_host.h"
#include "ui/ui.h"

class QDialog;
class QFrame;
class QMenu;
class QPushButton;
class QTimer;

namespace symbols {
class SymbolBrowser;
}
namespace textedit {
class TextPages;
}

namespace shell {

class HintLine;
class TabStrip;

inline constexpr int kTabCount = 12;

class MainWindow : public QMainWindow, public pagekit::PageHost {
    Q_OBJECT

public:
    // services: the desktop the handlers use (boxes, dialogs, the end of the program); the
    // window's own Qt services when none is given. Hints always reach the hint line, and the
    // given services as well. The start-up sequence runs here.
    explicit MainWindow(ui::Ui* services = nullptr);
    ~MainWindow() override;

    ui::Ui& ui() const override { return *m_ui; }
    cad::CadLink& cadLink() const override { return *m_link; }
    core::ColorRule& colorRule() override { return m_colorRule; }
    void handle(const std::function<void()>& handler) override;
    HintLine& hintLine() const { return *m_hintLine; }
    // The prefix letter tab 1's coordinate option asked for.
    const QString& coordPrefix() const;
    // The condition panel of tab 1 to 4.
    const pagekit::FilterPanel& filterPanel(int tab) const;

public Q_SLOTS:
    void tick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void startUp();
    void showSelectedTab();
    void exitProgram();
    void buildHelpPage(QWidget* frame);
    // The hint line's context menu, which holds what is no page's: the take-off of a folder of
    // drawings.
    void buildHintMenu();
    void openTakeoff();

    HintLine* m_hintLine = nullptr;
    QMenu* m_hintMenu = nullptr;
    QDialog* m_takeoff = nullptr;
    std::unique_ptr<ui::Ui> m_ui;
    std::unique_ptr<cad::CadLink> m_link;

    TabStrip* m_tabContainer = nullptr;
    std::array<QFrame*, kTabCount> m_fraContainer{};
    std::array<QPushButton*, kTabCount> m_CmdExit{};
    QTimer* m_tmrAutoCAD = nullptr;

    std::unique_ptr<textedit::TextPages> m_textPages;  // tabs 1 to 4
    // Tab 9's page, owned by its frame; the start-up sequence sets it up.
    symbols::SymbolBrowser* m_symbolBrowser = nullptr;

    core::ColorRule m_colorRule;
};

}  // namespace shell
