// MainWindow: the layout, menus, command line and status line, and keeping the view up to date
// with the drawing.
#include "sketchcad/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "sketchcad/drawing_view.h"
#include "sketchcad/scene.h"

namespace sketchcad {

namespace memory = cad::memory;

namespace {

// The command line in the drawing's dark colours, as CAD programs show it.
const QColor kCommandBackground(24, 29, 35);
const QColor kHistoryText(215, 220, 225);
const QColor kCommandText(255, 255, 255);
constexpr int kHistoryLines = 500;  // kept; older ones are dropped
constexpr int kHistoryShownLines = 4;

const QSize kStartSize(1280, 860);

// How often the window looks for what the drawing does not report (see poll()).
constexpr int kPollMs = 100;
// Rebuilds of the view are spaced by a multiple of what the last one cost, wider while an
// operation of the assistant is under way; a pending rebuild waits no longer than the longest.
constexpr qint64 kRebuildSpacing = 3;
constexpr qint64 kOperationRebuildSpacing = 10;
constexpr qint64 kOperationRebuildMinimumMs = 500;
constexpr qint64 kLongestRebuildWaitMs = 2000;

QPalette commandPalette(QPalette palette, QPalette::ColorRole background, QPalette::ColorRole text,
                        const QColor& textColor) {
    palette.setColor(background, kCommandBackground);
    palette.setColor(text, textColor);
    return palette;
}

}  // namespace

bool hasDisplay() {
    const QString platform = QGuiApplication::platformName();
    return platform != u"offscreen" && platform != u"minimal";
}

MainWindow::MainWindow(std::shared_ptr<memory::Application> application, QWidget* parent)
    : QMainWindow(parent), m_application(std::move(application)) {
    setObjectName(QStringLiteral("sketchcadWindow"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_view = new DrawingView(central);
    layout->addWidget(m_view, 1);
    buildCommandLine(central, layout);
    setCentralWidget(central);
    buildStatusLine();
    buildMenus();
    connectPicks();
    startTimers();
    installFileHandling();

    m_application->setObserver(this);

    resize(kStartSize);
    setPrompt(idlePrompt());
    updateTitle();
}

MainWindow::~MainWindow() {
    m_application->setObserver(nullptr);
}

void MainWindow::buildCommandLine(QWidget* central, QVBoxLayout* layout) {
    m_history = new QPlainTextEdit(central);
    m_history->setObjectName(QStringLiteral("commandHistory"));
    m_history->setReadOnly(true);
    m_history->setFocusPolicy(Qt::NoFocus);
    m_history->setMaximumBlockCount(kHistoryLines);
    m_history->setPalette(
        commandPalette(m_history->palette(), QPalette::Base, QPalette::Text, kHistoryText));
    m_history->setFixedHeight(m_history->fontMetrics().lineSpacing() * kHistoryShownLines + 10);
    layout->addWidget(m_history);
    m_prompt = new QLabel(idlePrompt(), central);
    m_prompt->setObjectName(QStringLiteral("commandPrompt"));
    m_prompt->setContentsMargins(4, 2, 4, 2);
    m_prompt->setPalette(
        commandPalette(m_prompt->palette(), QPalette::Window, QPalette::WindowText, kCommandText));
    m_prompt->setAutoFillBackground(true);
    // The prompt, and beside it where coordinates can be typed in answer.
    auto* commandRow = new QHBoxLayout;
    commandRow->setContentsMargins(0, 0, 0, 0);
    commandRow->setSpacing(0);
    commandRow->addWidget(m_prompt);
    m_input = new QLineEdit(central);
    m_input->setObjectName(QStringLiteral("commandInput"));
    m_input->setFrame(false);
    m_input->setPalette(
        commandPalette(m_input->palette(), QPalette::Base, QPalette::Text, kCommandText));
    m_input->installEventFilter(this);
    commandRow->addWidget(m_input, 1);
    layout->addLayout(commandRow);
}

void MainWindow::buildStatusLine() {
    m_modeMacro = new QLabel(this);
    m_modeMacro->setObjectName(QStringLiteral("modeMacro"));
    m_coordinates = new QLabel(this);
    m_coordinates->setObjectName(QStringLiteral("cursorCoordinates"));
    // Wide enough for large coordinates from the start, so the status line does not jump.
    m_coordinates->setMinimumWidth(m_coordinates->fontMetrics().horizontalAdvance(
        QStringLiteral("-0000000.0000, -0000000.0000")));
    m_coordinates->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar()->addWidget(m_modeMacro, 1);
    statusBar()->addPermanentWidget(m_coordinates);
    connect(m_view, &DrawingView::cursorMoved, this, [this](QPointF p) {
        m_coordinates->setText(
            QStringLiteral("%1, %2").arg(p.x(), 0, 'f', 4).arg(p.y(), 0, 'f', 4));
    });
}

void MainWindow::startTimers() {
    m_rebuildTimer = new QTimer(this);
    m_rebuildTimer->setSingleShot(true);
    connect(m_rebuildTimer, &QTimer::timeout, this, [this] { rebuild(); });
    m_pollTimer = new QTimer(this);
    m_pollTimer->setInterval(kPollMs);
    connect(m_pollTimer, &QTimer::timeout, this, [this] { poll(); });
    m_pollTimer->start();
}

void MainWindow::buildMenus() {
    auto action = [this](const QString& text, const char* name, auto slot,
                         QKeySequence keys = QKeySequence()) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    file->addAction(action(
        QStringLiteral("新建(&N)"), "actionNew", [this] { newDrawing(); }, QKeySequence::New));
    file->addAction(action(
        QStringLiteral("打开(&O)…"), "actionOpen", [this] { openDrawing(); }, QKeySequence::Open));
    file->addAction(action(
        QStringLiteral("保存(&S)"), "actionSave", [this] { saveDrawing(); }, QKeySequence::Save));
    file->addAction(action(
        QStringLiteral("另存为(&A)…"), "actionSaveAs", [this] { saveDrawingAs(); },
        QKeySequence::SaveAs));
    file->addAction(action(QStringLiteral("关闭(&C)"), "actionClose", [this] { closeDrawing(); }));
    file->addSeparator();
    file->addAction(action(QStringLiteral("退出(&X)"), "actionExit", [this] { close(); }));
    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
    edit->addAction(action(
        QStringLiteral("放弃(&U)"), "actionUndo", [this] { undo(); },
        QKeySequence(Qt::CTRL | Qt::Key_Z)));
    edit->addAction(action(
        QStringLiteral("重做(&R)"), "actionRedo", [this] { redo(); },
        QKeySequence(Qt::CTRL | Qt::Key_Y)));
    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("视图(&V)"));
    QAction* extents = action(QStringLiteral("范围缩放(&E)"), "actionZoomExtents",
                              [this] { m_view->zoomExtents(); });
    viewMenu->addAction(extents);
    QToolBar* tools = addToolBar(QStringLiteral("视图"));
    tools->setObjectName(QStringLiteral("viewToolBar"));
    tools->setMovable(false);
    tools->addAction(extents);
}

void MainWindow::setInteraction(cad::remote::WaitingInteraction* interaction) {
    m_interaction = interaction;
}

std::shared_ptr<memory::Document> MainWindow::document() const {
    return m_application->activeDocument();
}

void MainWindow::message(const QString& text) {
    m_history->appendPlainText(text);
}

void MainWindow::setPrompt(const QString& prompt) {
    m_prompt->setText(prompt);
}

bool MainWindow::busy() const {
    const auto doc = document();
    return (m_interaction && m_interaction->isWaiting()) || (doc && doc->undoDepth() > 0);
}

bool MainWindow::refuseWhileBusy() {
    if (!busy()) {
        return false;
    }
    message(QStringLiteral("助手的操作尚未结束，此命令暂不可用"));
    return true;
}

QString MainWindow::documentPath() const {
    const auto doc = document();
    return doc ? doc->path() : QString();
}

bool MainWindow::isModified() const {
    const auto doc = document();
    return doc && doc->isModified();
}

void MainWindow::drawingChanged(memory::Document&) {
    m_changed = true;
    scheduleRebuild();
}

void MainWindow::applicationQuit() {
    quitProgram();
}

void MainWindow::scheduleRebuild() {
    if (m_rebuildTimer->isActive()) {
        return;
    }
    // A walk that changes every entity reports each change: rebuild at most as often as leaves
    // three quarters of the time to the walk. While an operation of the assistant is under way
    // the view waits longer; the poll shows its result as soon as it ends.
    const auto doc = document();
    m_awaitingOperation = doc && doc->undoDepth() > 0;
    qint64 wait = 0;
    if (m_sinceRebuild.isValid()) {
        const qint64 spacing =
            m_awaitingOperation
                ? std::max(kOperationRebuildSpacing * m_rebuildCostMs, kOperationRebuildMinimumMs)
                : kRebuildSpacing * m_rebuildCostMs;
        wait = std::clamp<qint64>(spacing - m_sinceRebuild.elapsed(), 0, kLongestRebuildWaitMs);
    }
    m_rebuildTimer->start(int(wait));
}

void MainWindow::refreshNow() {
    m_rebuildTimer->stop();
    rebuild();
}

bool MainWindow::stale() const {
    const auto doc = document();
    return m_changed || doc.get() != m_shown || (doc && doc->changes() != m_shownChanges);
}

void MainWindow::catchUp() {
    if (stale()) {
        refreshNow();
    }
}

void MainWindow::rebuild() {
    QElapsedTimer cost;
    cost.start();
    const auto doc = document();
    m_shown = doc.get();
    m_shownChanges = doc ? doc->changes() : -1;
    m_changed = false;
    if (doc) {
        auto scene = std::make_shared<Scene>(Scene::build(*doc, m_view->textFont()));
        m_view->setScene(std::move(scene), m_fitNext);
    } else {
        m_view->setScene(nullptr, false);
    }
    m_fitNext = false;
    updateTitle();
    updateStatus();
    m_rebuildCostMs = cost.elapsed();
    m_sinceRebuild.start();
}

void MainWindow::quitProgram() {
    if (m_quitting) {
        return;
    }
    // Quit through the automation interface: no questions asked.
    m_quitting = true;
    if (m_interaction) {
        m_interaction->close();
    }
    writeScreenshot();
    // Later: the answer to the Quit call is still to be sent.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void MainWindow::poll() {
    // The observer hears of most; this catches what it does not (a quit, the document closed,
    // system variables, the name after a save).
    if (!m_application->isRunning()) {
        quitProgram();
        return;
    }
    const auto doc = document();
    if (m_awaitingOperation && m_rebuildTimer->isActive() && !(doc && doc->undoDepth() > 0)) {
        refreshNow();  // the operation ended: its result now, not when the long wait is over
    } else if (stale()) {
        scheduleRebuild();
    }
    updateTitle();
    updateStatus();
}

void MainWindow::updateTitle() {
    const auto doc = document();
    if (!doc) {
        setWindowTitle(QStringLiteral("sketchcad"));
        setWindowModified(false);
        return;
    }
    setWindowTitle(doc->name() + QStringLiteral("[*] - sketchcad"));
    setWindowModified(isModified());
}

void MainWindow::updateStatus() {
    const auto doc = document();
    QString macro;
    if (doc) {
        const cad::Value v = doc->variable(QStringLiteral("MODEMACRO"));
        if (!v.isEmpty()) {
            macro = v.toText();
        }
    }
    if (m_modeMacro->text() != macro) {
        m_modeMacro->setText(macro);
    }
}

void MainWindow::writeScreenshot() {
    if (m_screenshotPath.isEmpty()) {
        return;
    }
    if (!grab().save(m_screenshotPath)) {
        fprintf(stderr, "sketchcad: cannot write %s\n", qUtf8Printable(m_screenshotPath));
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_quitting) {
        if (!settleUnsaved()) {
            event->ignore();
            return;
        }
        m_quitting = true;
        if (m_interaction) {
            m_interaction->close();
        }
        writeScreenshot();
    }
    event->accept();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

}  // namespace sketchcad
