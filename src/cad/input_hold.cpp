// InputHold: user input kept back during a pick and handed on afterwards.
#include "cad/input_hold.h"

#include <QCoreApplication>
#include <QThread>

namespace cad {

namespace {

// The application's filters see the events of its own thread only: that is where the user's are.
QCoreApplication* applicationOfThisThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return app && app->thread() == QThread::currentThread() ? app : nullptr;
}

}  // namespace

InputHold::InputHold() {
    if (QCoreApplication* app = applicationOfThisThread()) {
        app->installEventFilter(this);
    }
}

InputHold::~InputHold() {
    if (QCoreApplication* app = applicationOfThisThread()) {
        app->removeEventFilter(this);
    }
    for (Held& held : m_held) {
        if (held.receiver) {
            QCoreApplication::postEvent(held.receiver, held.event.release());
        }
    }
}

bool InputHold::isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
        case QEvent::ContextMenu:
        case QEvent::NativeGesture:
            return true;
        default:
            return false;
    }
}

bool InputHold::eventFilter(QObject* watched, QEvent* event) {
    if (!isUserInput(event->type())) {
        return false;
    }
    m_held.push_back({watched, std::unique_ptr<QEvent>(event->clone())});
    return true;
}

}  // namespace cad
