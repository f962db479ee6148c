// frmMain: the one window of the program, its twelve pages, the hint line and the CAD link.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "cad/cad_link.h"
#include "core/colors.h"
#include "pagekit/filter_panel.h"
#include "pagekit/page_host.h"
#include "ui/ui.h"

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QTimer;

namespace symbols {
class SymbolBrowser;
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
    // CoordPrefix of tab 1's coordinate option.
    const QString& coordPrefix() const { return m_coordPrefix; }
    // The condition panel of tab 1 to 4.
    const pagekit::FilterPanel& filterPanel(int tab) const { return m_filterPanels.at(tab - 1); }

public Q_SLOTS:
    void tmrAutoCAD_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();
    void tabContainer_Click();
    void CmdExit_Click();

    void buildValueAddPage(QWidget* frame);
    void buildTextPage(QWidget* frame, int tab);
    void buildHelpPage(QWidget* frame);

    void optValueHeight_Click();
    void optValueAB_Click();

    void cmdValueAll_Click();
    void cmdValuePart_Click();
    void cmdNTimesAll_Click();
    void cmdNTimesPart_Click();
    void cmdCAddAll_Click();
    void cmdCAddPart_Click();
    void cmdCTimesAll_Click();
    void cmdCTimesPart_Click();
    // The text of tab 1 to 4's amount or factor box when it reads as a number. Otherwise the
    // hint "提示：输入数值型参数", and tabs 2 to 4 empty their box while tab 1 keeps its text.
    std::optional<QString> numberBoxText(int tab);

    HintLine* m_hintLine = nullptr;
    std::unique_ptr<ui::Ui> m_ui;
    std::unique_ptr<cad::CadLink> m_link;

    TabStrip* m_tabContainer = nullptr;
    std::array<QFrame*, kTabCount> m_fraContainer{};
    std::array<QPushButton*, kTabCount> m_CmdExit{};
    QTimer* m_tmrAutoCAD = nullptr;

    std::array<pagekit::FilterPanel, 4> m_filterPanels;
    QComboBox* m_comValueHeight = nullptr;
    QRadioButton* m_optValueAll = nullptr;
    // txtValueAdd, txtNTimes, txtCAdd, txtCTimes.
    std::array<QLineEdit*, 4> m_numberBoxes{};
    // Tab 9's page, owned by its frame; the start-up sequence sets it up.
    symbols::SymbolBrowser* m_symbolBrowser = nullptr;

    core::ColorRule m_colorRule;
    QString m_coordPrefix;
};

}  // namespace shell
