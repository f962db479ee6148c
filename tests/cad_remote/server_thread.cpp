// ServerThread: the test server's thread, its picker and its private runtime directory.
#include "server_thread.h"

#include <QDeadlineTimer>

namespace remote_test {

void TestPicker::startPoint(const QString& prompt, const std::optional<cad::Point>&) {
    prompts.append(prompt);
    if (immediatePoint) {
        interaction->finishPoint(immediatePoint);
    }
}

void TestPicker::startSelection(const QString& prompt) {
    prompts.append(prompt);
    if (immediateSelection) {
        interaction->finishSelection(immediateSelection);
    }
}

PrivateRuntimeDir::PrivateRuntimeDir() : m_previous(qgetenv("XDG_RUNTIME_DIR")) {
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
}

PrivateRuntimeDir::~PrivateRuntimeDir() {
    qputenv("XDG_RUNTIME_DIR", m_previous);
}

ServerThread::ServerThread(const cad::remote::ServerThread::MakeServer& make)
    : app(cad::memory::Application::create()) {
    app->newDocument(QStringLiteral("Drawing1.dwg"));
    m_served.emplace(app, picker, make);
    run([this] { picker.interaction = &m_served->server().interaction(); });
}

int ServerThread::heldObjects() {
    int n = 0;
    run([&] { n = m_served->server().heldObjects(); });
    return n;
}

int ServerThread::clientCount() {
    int n = 0;
    run([&] { n = dynamic_cast<cad::remote::Server&>(m_served->server()).clientCount(); });
    return n;
}

bool ServerThread::waitUntilPickWaits() {
    const QDeadlineTimer deadline(20000);
    for (;;) {
        bool waiting = false;
        run([&] { waiting = picker.interaction->isWaiting(); });
        if (waiting) {
            return true;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(5);
    }
}

bool ServerThread::waitForHeldObjects(int n) {
    const QDeadlineTimer deadline(20000);
    while (heldObjects() != n) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(5);
    }
    return true;
}

}  // namespace remote_test
