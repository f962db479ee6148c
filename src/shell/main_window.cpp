// frmMain: layout, start-up, tab switching, exit, the timer, and the pages on their frames.
#include "shell/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <utility>

#include "calculators/cable_query_page.h"
#include "calculators/sag_curve_page.h"
#include "mtext/text_editor_page.h"
#include "pagekit/controls.h"
#include "properties/property_page.h"
#include "shell/handler_guard.h"
#include "shell/help_text.h"
#include "shell/hint_line.h"
#include "shell/qt_ui.h"
#include "shell/tab_strip.h"
#include "statistics/block_count_page.h"
#include "statistics/line_length_page.h"
#include "symbols/symbol_browser_page.h"
#include "takeoff/takeoff_dialog.h"
#include "textedit/text_pages.h"
#include "utilities/utilities_page.h"

namespace shell {

namespace {

using pagekit::control;
using pagekit::indexedName;
using pagekit::text;
using pagekit::twips;
using pagekit::twipsRect;

// The window's outer size; the window manager's caption and borders (about 450 and 60 twips)
// come off it, since Qt sizes the client area.
constexpr int kFormWidth = 7320;
constexpr int kFormHeight = 7455;
constexpr int kBorderTwips = 60;
constexpr int kCaptionTwips = 450;

// The CAD link's watch: attach when unattached, see that the CAD still answers when attached.
constexpr int kTickMs = 5000;

constexpr int kTabsPerRow = 4;
constexpr int kTabRowHeight = 20;  // three rows end where the frames begin (900 twips)

const char16_t* const kCaptions[kTabCount] = {u"数值大小加增", u"数值大小倍增", u"字符大小加增",
                                              u"字符大小倍增", u"统计线条长度", u"统计块的个数",
                                              u"对象属性转换", u"电缆型号查询", u"电气图形符号",
                                              u"电力弧垂曲线", u"处理多行文字", u"实用功能集粹"};

}  // namespace

MainWindow::MainWindow(ui::Ui* services) {
    setObjectName(QStringLiteral("frmMain"));
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);

    auto* client = new QWidget(this);
    setCentralWidget(client);

    QStatusBar* status = statusBar();
    status->setObjectName(QStringLiteral("stsStatus"));
    status->setSizeGripEnabled(false);
    m_hintLine = new HintLine(status);
    m_hintLine->setObjectName(QStringLiteral("stsStatusPanel(1)"));
    status->addWidget(m_hintLine, 1);

    if (services != nullptr) {
        m_ui = std::make_unique<HintLineUi>(*m_hintLine, *services);
    } else {
        m_ui = std::make_unique<QtUi>(*this, *m_hintLine);
    }
    m_link = std::make_unique<cad::CadLink>(*m_ui);
    buildHintMenu();

    QStringList captions;
    for (const char16_t* caption : kCaptions) {
        captions.append(text(caption));
    }
    m_tabContainer = new TabStrip(captions, kTabsPerRow, kTabRowHeight, client);
    m_tabContainer->setObjectName(QStringLiteral("tabContainer"));
    connect(m_tabContainer, &TabStrip::clicked, this,
            [this] { handle([this] { showSelectedTab(); }); });

    for (int i = 1; i <= kTabCount; ++i) {
        auto* frame = new QFrame(client);
        frame->setObjectName(indexedName(u"fraContainer", i));
        m_fraContainer[i - 1] = frame;
        // CmdExit(9) has a place of its own; the start-up sequence places the others.
        const QRect place = i == 9 ? twipsRect(5520, 4920, 1095, 375) : twipsRect(0, 0, 1095, 375);
        auto* exit = control<QPushButton>(frame, indexedName(u"CmdExit", i), place);
        exit->setText(i == 9 ? text(u"退出") : text(u"退      出"));
        onClick(exit, [this] { exitProgram(); });
        m_CmdExit[i - 1] = exit;
    }
    m_textPages = std::make_unique<textedit::TextPages>(
        std::array<QWidget*, 4>{m_fraContainer[0], m_fraContainer[1], m_fraContainer[2],
                                m_fraContainer[3]},
        *this);
    statistics::buildLineLengthPage(m_fraContainer[4], *this);
    statistics::buildBlockCountPage(m_fraContainer[5], *this);
    properties::buildPropertyPage(m_fraContainer[6], *this);
    calculators::buildCableQueryPage(m_fraContainer[7], *this);
    m_symbolBrowser = new symbols::SymbolBrowser(m_fraContainer[8], *this);
    calculators::buildSagCurvePage(m_fraContainer[9], *this);
    mtext::buildTextEditorPage(m_fraContainer[10], *this);
    buildHelpPage(m_fraContainer[11]);
    utilities::buildUtilitiesPage(m_fraContainer[11], *this);

    m_tmrAutoCAD = new QTimer(this);
    m_tmrAutoCAD->setObjectName(QStringLiteral("tmrAutoCAD"));
    m_tmrAutoCAD->setInterval(kTickMs);
    connect(m_tmrAutoCAD, &QTimer::timeout, this, &MainWindow::tick);
    m_tmrAutoCAD->start();

    startUp();
}

MainWindow::~MainWindow() = default;

const QString& MainWindow::coordPrefix() const {
    return m_textPages->coordPrefix();
}

const pagekit::FilterPanel& MainWindow::filterPanel(int tab) const {
    return m_textPages->filterPanel(tab);
}

void MainWindow::startUp() {
    setWindowTitle(QString::fromUtf16(ui::kAppTitle));
    setFixedSize(twips(kFormWidth - kBorderTwips),
                 twips(kFormHeight - kBorderTwips - kCaptionTwips));
    m_tabContainer->setGeometry(twipsRect(0, 0, 7260, 6510));
    for (QFrame* frame : m_fraContainer) {
        frame->setGeometry(twipsRect(180, 900, 6900, 5445));
    }
    for (int i = 1; i <= kTabCount; ++i) {
        if (i != 9) {
            m_CmdExit[i - 1]->move(twips(4800), twips(4920));
        }
    }
    handle([this] { showSelectedTab(); });
    m_symbolBrowser->setUp();
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    handle([this] { m_link->AttachCad(); });
}

void MainWindow::showSelectedTab() {
    const int index = m_tabContainer->currentIndex();
    m_ui->showHint(QStringLiteral("提示：") + m_tabContainer->caption(index));
    for (QFrame* frame : m_fraContainer) {
        frame->hide();
    }
    m_tabContainer->lower();
    m_fraContainer[index]->show();
}

void MainWindow::exitProgram() {
    m_link->ReleaseCadObjects();
    m_ui->endProgram();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    handle([this] { exitProgram(); });
    event->accept();
}

void MainWindow::tick() {
    // Not through handle(): a tick must see whether an operation holds the link.
    m_link->tick();
    m_hintLine->flush();
}

void MainWindow::handle(const std::function<void()>& handler) {
    runGuarded(*m_link, handler);
    m_hintLine->flush();
}

void MainWindow::buildHintMenu() {
    m_hintMenu = new QMenu(this);
    m_hintMenu->setObjectName(QStringLiteral("mnuHint"));
    QAction* takeoff = m_hintMenu->addAction(text(u"材料统计（多张 DXF 图纸）…"));
    takeoff->setObjectName(QStringLiteral("mnuTakeoff"));
    connect(takeoff, &QAction::triggered, this, [this] { openTakeoff(); });
    m_hintLine->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_hintLine, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_hintMenu->popup(m_hintLine->mapToGlobal(at)); });
}

// One dialog for the session, so that its fields keep what was typed; the outcome of a run is
// written to the hint line like every other.
void MainWindow::openTakeoff() {
    if (m_takeoff == nullptr) {
        m_takeoff = new takeoff::TakeoffDialog(this, [this](const QString& hint) {
            ui().showHint(hint);
            m_hintLine->flush();
        });
    }
    m_takeoff->open();
}

void MainWindow::buildHelpPage(QWidget* frame) {
    auto* txtHelp =
        control<QPlainTextEdit>(frame, QStringLiteral("txtHelp"), twipsRect(2160, 240, 4575, 4455));
    txtHelp->setPlainText(helpText());
    txtHelp->setReadOnly(true);
    txtHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

}  // namespace shell
