// MainWindow's side of the server's picks: the prompt and the view's pick modes, the answers,
// and the picks file's lines turned into input events for the view.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include "sketchcad/drawing_view.h"
#include "sketchcad/main_window.h"
#include "sketchcad/typed_point.h"

namespace sketchcad {

QString MainWindow::idlePrompt() {
    return QStringLiteral("命令:");
}

void MainWindow::connectPicks() {
    connect(m_view, &DrawingView::textTyped, this, [this](const QString& text) {
        m_input->insert(text);
        m_input->setFocus();
    });
    connect(m_input, &QLineEdit::returnPressed, this, [this] { commandEntered(); });
    connect(m_view, &DrawingView::pointPicked, this, [this](QPointF p) { answerPoint(p); });
    connect(m_view, &DrawingView::selectionFinished, this, [this](const QStringList& handles) {
        m_pick = PickKind::None;
        setPrompt(idlePrompt());
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
        setPrompt(idlePrompt());
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
}

void MainWindow::answerPoint(QPointF p) {
    m_pick = PickKind::None;
    setPrompt(idlePrompt());
    message(QStringLiteral("指定点: %1, %2").arg(p.x(), 0, 'g', 10).arg(p.y(), 0, 'g', 10));
    if (m_interaction) {
        m_interaction->finishPoint(cad::Point{p.x(), p.y(), 0});
    }
}

void MainWindow::commandEntered() {
    const QString text = m_input->text();
    m_input->clear();
    if (text.trimmed().isEmpty()) {
        m_view->finishSelection();  // Enter on an empty command line ends a selection
        m_view->setFocus();
        return;
    }
    if (m_pick != PickKind::Point) {
        message(QStringLiteral("无法识别的命令: %1").arg(text));
        return;
    }
    const auto p = parseTypedPoint(text, m_view->basePoint());
    if (!p) {
        message(QStringLiteral("需要点或 @相对坐标: %1").arg(text));
        return;
    }
    m_view->stopPicking();
    answerPoint(*p);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_input && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_input->clear();
        m_view->cancelPick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::startPoint(const QString& prompt, const std::optional<cad::Point>& basePoint) {
    m_pick = PickKind::Point;
    catchUp();
    setPrompt(prompt);
    message(QStringLiteral("助手在等待：请在图中指定点，或输入 x,y 或 @dx,dy (Esc 取消)"));
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
    setPrompt(idlePrompt());
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

}  // namespace sketchcad
