// MainWindow: file commands over the DXF layer, the command line, and picks for the server.
#include "sketchcad/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "dxf/drawing.h"
#include "sketchcad/drawing_view.h"
#include "sketchcad/scene.h"

namespace sketchcad {

namespace memory = cad::memory;

namespace {

const QString kIdlePrompt = QStringLiteral("命令:");
const QString kDxfFilter = QStringLiteral("DXF 图形 (*.dxf);;所有文件 (*)");

}  // namespace

MainWindow::MainWindow(std::shared_ptr<memory::Application> application, QWidget* parent)
    : QMainWindow(parent), m_application(std::move(application)) {
    setObjectName(QStringLiteral("sketchcadWindow"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_view = new DrawingView(central);
    layout->addWidget(m_view, 1);

    m_history = new QPlainTextEdit(central);
    m_history->setObjectName(QStringLiteral("commandHistory"));
    m_history->setReadOnly(true);
    m_history->setFocusPolicy(Qt::NoFocus);
    m_history->setMaximumBlockCount(500);
    // The command line in the drawing's dark colours, as CAD programs show it.
    QPalette commandColors = m_history->palette();
    commandColors.setColor(QPalette::Base, QColor(24, 29, 35));
    commandColors.setColor(QPalette::Text, QColor(215, 220, 225));
    m_history->setPalette(commandColors);
    m_history->setFixedHeight(m_history->fontMetrics().lineSpacing() * 4 + 10);
    layout->addWidget(m_history);
    m_prompt = new QLabel(kIdlePrompt, central);
    m_prompt->setObjectName(QStringLiteral("commandPrompt"));
    m_prompt->setContentsMargins(4, 2, 4, 2);
    QPalette promptColors = m_prompt->palette();
    promptColors.setColor(QPalette::Window, QColor(24, 29, 35));
    promptColors.setColor(QPalette::WindowText, QColor(255, 255, 255));
    m_prompt->setPalette(promptColors);
    m_prompt->setAutoFillBackground(true);
    layout->addWidget(m_prompt);
    setCentralWidget(central);

    m_modeMacro = new QLabel(this);
    m_modeMacro->setObjectName(QStringLiteral("modeMacro"));
    m_coordinates = new QLabel(this);
    m_coordinates->setObjectName(QStringLiteral("cursorCoordinates"));
    statusBar()->addWidget(m_modeMacro, 1);
    statusBar()->addPermanentWidget(m_coordinates);

    buildMenus();

    connect(m_view, &DrawingView::cursorMoved, this, [this](QPointF p) {
        m_coordinates->setText(
            QStringLiteral("%1, %2").arg(p.x(), 0, 'f', 4).arg(p.y(), 0, 'f', 4));
    });
    connect(m_view, &DrawingView::pointPicked, this, [this](QPointF p) {
        m_pick = PickKind::None;
        setPrompt(kIdlePrompt);
        message(QStringLiteral("指定点: %1, %2").arg(p.x(), 0, 'g', 10).arg(p.y(), 0, 'g', 10));
        if (m_interaction) {
            m_interaction->finishPoint(cad::Point{p.x(), p.y(), 0});
        }
    });
    connect(m_view, &DrawingView::selectionFinished, this, [this](const QStringList& handles) {
        m_pick = PickKind::None;
        setPrompt(kIdlePrompt);
        message(QStringLiteral("找到 %1 个").arg(handles.size()));
        if (m_interaction) {
            m_interaction->finishSelection(handles);
        }
    });
    connect(m_view, &DrawingView::selectionChanged, this,
            [this](int n) { setPrompt(QStringLiteral("选择对象: (已选 %1 个)").arg(n)); });
    connect(m_view, &DrawingView::pickCancelled, this, [this] {
        const PickKind kind = m_pick;
        m_pick = PickKind::None;
        setPrompt(kIdlePrompt);
        message(QStringLiteral("*取消*"));
        if (!m_interaction) {
            return;
        }
        if (kind == PickKind::Point) {
            m_interaction->finishPoint(std::nullopt);
        } else {
            m_interaction->finishSelection(QStringList());
        }
    });

    m_rebuildTimer = new QTimer(this);
    m_rebuildTimer->setSingleShot(true);
    connect(m_rebuildTimer, &QTimer::timeout, this, [this] { rebuild(); });
    m_pollTimer = new QTimer(this);
    m_pollTimer->setInterval(100);
    connect(m_pollTimer, &QTimer::timeout, this, [this] { poll(); });
    m_pollTimer->start();

    m_chooseFile = [this](bool forSaving, const QString& suggested) {
        return forSaving ? QFileDialog::getSaveFileName(this, QStringLiteral("另存为"), suggested,
                                                        kDxfFilter)
                         : QFileDialog::getOpenFileName(this, QStringLiteral("打开"), suggested,
                                                        kDxfFilter);
    };
    m_askUnsaved = [this](const QString& name) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("sketchcad"),
                        QStringLiteral("是否将改动保存到 %1？").arg(name), QMessageBox::NoButton,
                        this);
        box.setObjectName(QStringLiteral("unsavedChangesBox"));
        QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
        QPushButton* discard =
            box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
        QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        save->setObjectName(QStringLiteral("saveButton"));
        discard->setObjectName(QStringLiteral("discardButton"));
        cancel->setObjectName(QStringLiteral("cancelButton"));
        box.setDefaultButton(save);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == save) {
            return Unsaved::Save;
        }
        return box.clickedButton() == discard ? Unsaved::Discard : Unsaved::Cancel;
    };

    m_application->setObserver(this);
    m_application->setSaver(
        [](memory::Document& document, const QString& path) -> std::optional<QString> {
            auto saved = dxf::saveDrawing(document, path);
            if (!saved) {
                return saved.error().toString();
            }
            return std::nullopt;
        });

    resize(1280, 860);
    setPrompt(kIdlePrompt);
    updateTitle();
}

MainWindow::~MainWindow() {
    m_application->setObserver(nullptr);
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

bool MainWindow::settleUnsaved() {
    const auto doc = document();
    if (!doc || !isModified()) {
        return true;
    }
    switch (m_askUnsaved(doc->name())) {
        case Unsaved::Save:
            return saveDrawing();
        case Unsaved::Discard:
            return true;
        case Unsaved::Cancel:
            break;
    }
    return false;
}

bool MainWindow::openFile(const QString& path) {
    const auto previous = document();
    auto loaded = dxf::loadDrawing(*m_application, path);
    if (!loaded) {
        const QString why = QStringLiteral("无法打开 %1").arg(loaded.error().toString());
        message(why);
        const QString platform = QGuiApplication::platformName();
        if (platform == u"offscreen" || platform == u"minimal") {
            fprintf(stderr, "sketchcad: %s\n", qPrintable(why));
        } else {
            QMessageBox::warning(this, QStringLiteral("sketchcad"), why);
        }
        return false;
    }
    if (previous) {
        m_application->closeDocument(*previous);
    }
    m_application->setActiveDocument(loaded.value());
    loaded.value()->setPath(QFileInfo(path).absoluteFilePath());
    m_fitNext = true;
    message(QStringLiteral("已打开 %1").arg(QDir::toNativeSeparators(path)));
    refreshNow();
    return true;
}

void MainWindow::newDrawing() {
    if (refuseWhileBusy() || !settleUnsaved()) {
        return;
    }
    if (const auto previous = document()) {
        m_application->closeDocument(*previous);
    }
    m_application->newDocument(QStringLiteral("Drawing%1.dwg").arg(++m_untitled));
    m_fitNext = true;
    refreshNow();
}

void MainWindow::openDrawing() {
    if (refuseWhileBusy() || !settleUnsaved()) {
        return;
    }
    const QString path = m_chooseFile(false, QFileInfo(documentPath()).absolutePath());
    if (!path.isEmpty()) {
        openFile(path);
    }
}

bool MainWindow::saveDrawing() {
    if (refuseWhileBusy() || !document()) {
        return false;
    }
    if (documentPath().isEmpty()) {
        return saveDrawingAs();
    }
    return saveTo(documentPath());
}

bool MainWindow::saveDrawingAs() {
    if (refuseWhileBusy()) {
        return false;
    }
    const auto doc = document();
    if (!doc) {
        return false;
    }
    QString suggested = documentPath();
    if (suggested.isEmpty()) {
        suggested = QFileInfo(doc->name()).completeBaseName() + QStringLiteral(".dxf");
    }
    QString path = m_chooseFile(true, suggested);
    if (path.isEmpty()) {
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".dxf");
    }
    if (!saveTo(path)) {
        return false;
    }
    doc->setName(QFileInfo(path).fileName());
    doc->setPath(QFileInfo(path).absoluteFilePath());
    updateTitle();
    return true;
}

bool MainWindow::saveTo(const QString& path) {
    const auto doc = document();
    auto saved = dxf::saveDrawing(*doc, path);
    if (!saved) {
        message(QStringLiteral("保存失败: %1").arg(saved.error().toString()));
        return false;
    }
    doc->markSaved();
    message(QStringLiteral("已保存 %1").arg(QDir::toNativeSeparators(path)));
    updateTitle();
    return true;
}

void MainWindow::closeDrawing() {
    if (refuseWhileBusy() || !settleUnsaved()) {
        return;
    }
    if (const auto doc = document()) {
        m_application->closeDocument(*doc);
    }
    refreshNow();
}

void MainWindow::undo() {
    if (refuseWhileBusy()) {
        return;
    }
    const auto doc = document();
    message(doc && doc->undo() ? QStringLiteral("放弃: 一步操作已撤销")
                               : QStringLiteral("没有可放弃的操作"));
    refreshNow();
}

void MainWindow::redo() {
    if (refuseWhileBusy()) {
        return;
    }
    const auto doc = document();
    message(doc && doc->redo() ? QStringLiteral("重做: 一步操作已恢复")
                               : QStringLiteral("没有可重做的操作"));
    refreshNow();
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
    // three quarters of the time to the walk.
    qint64 wait = 0;
    if (m_sinceRebuild.isValid()) {
        wait = std::clamp<qint64>(3 * m_rebuildCostMs - m_sinceRebuild.elapsed(), 0, 1000);
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
    if (m_interaction && m_interaction->isWaiting()) {
        m_interaction->abandon();
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
    if (stale()) {
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

void MainWindow::startPoint(const QString& prompt, const std::optional<cad::Point>& basePoint) {
    m_pick = PickKind::Point;
    catchUp();
    setPrompt(prompt);
    message(QStringLiteral("助手在等待：请在图中指定点 (Esc 取消)"));
    m_view->startPointPick(basePoint ? std::optional<QPointF>(QPointF(basePoint->x, basePoint->y))
                                     : std::nullopt);
    raise();
    activateWindow();
    runScriptLine();
}

void MainWindow::startSelection(const QString& prompt) {
    m_pick = PickKind::Selection;
    catchUp();
    setPrompt(prompt);
    message(QStringLiteral("助手在等待：请选择对象 (回车、空格或右键结束，Esc 取消)"));
    m_view->startSelection();
    raise();
    activateWindow();
    runScriptLine();
}

void MainWindow::abandon() {
    m_pick = PickKind::None;
    m_view->stopPicking();
    setPrompt(kIdlePrompt);
    message(QStringLiteral("助手的请求已撤回"));
}

void MainWindow::runScriptLine() {
    auto actions = m_script.next();
    if (!actions) {
        return;
    }
    // After the request is shown: the events go through the view's own picking code.
    QTimer::singleShot(0, this, [this, a = std::move(*actions)] { postActions(a); });
}

void MainWindow::postActions(const std::vector<PickAction>& actions) {
    auto mouse = [this](QEvent::Type type, QPointF pos, Qt::MouseButton button,
                        Qt::MouseButtons buttons) {
        QCoreApplication::postEvent(m_view, new QMouseEvent(type, pos, m_view->mapToGlobal(pos),
                                                            button, buttons, Qt::NoModifier));
    };
    auto key = [this](int k) {
        QCoreApplication::postEvent(m_view, new QKeyEvent(QEvent::KeyPress, k, Qt::NoModifier));
    };
    auto click = [&](QPointF pos) {
        mouse(QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    };
    auto drag = [&](QPointF from, QPointF to) {
        mouse(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    };
    bool cancelled = false;
    for (const PickAction& a : actions) {
        const QPointF p = m_view->toScreen(a.a);
        const QPointF q = m_view->toScreen(a.b);
        switch (a.kind) {
            case PickAction::Kind::Point:
            case PickAction::Kind::Click:
                click(p);
                break;
            case PickAction::Kind::Window:
                // Left to right, whichever corner came first.
                p.x() <= q.x() ? drag(p, q) : drag(q, p);
                break;
            case PickAction::Kind::Crossing:
                p.x() >= q.x() ? drag(p, q) : drag(q, p);
                break;
            case PickAction::Kind::Cancel:
                key(Qt::Key_Escape);
                cancelled = true;
                break;
        }
    }
    if (m_pick == PickKind::Selection && !cancelled) {
        key(Qt::Key_Return);
    }
}

void MainWindow::writeScreenshot() {
    if (m_screenshotPath.isEmpty()) {
        return;
    }
    if (!grab().save(m_screenshotPath)) {
        fprintf(stderr, "sketchcad: cannot write %s\n", qPrintable(m_screenshotPath));
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_quitting) {
        if (!settleUnsaved()) {
            event->ignore();
            return;
        }
        m_quitting = true;
        if (m_interaction && m_interaction->isWaiting()) {
            m_interaction->abandon();
        }
        writeScreenshot();
    }
    event->accept();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

}  // namespace sketchcad
