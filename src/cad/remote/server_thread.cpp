// ServerThread: the server made, used and destroyed on its own thread.
#include "cad/remote/server_thread.h"

#include <exception>

namespace cad::remote {

ServerThread::ServerThread(std::shared_ptr<memory::Application> application, Picker& picker,
                           const MakeServer& make) {
    m_thread.start();
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    run([&] {
        m_server = make ? make(std::move(application), picker)
                        : std::make_unique<Server>(std::move(application), picker);
        m_listenResult = m_server->listen();
    });
}

ServerThread::~ServerThread() {
    stopServer();
    m_thread.quit();
    m_thread.wait();
}

void ServerThread::run(const std::function<void()>& f) {
    std::exception_ptr thrown;
    QMetaObject::invokeMethod(
        m_context,
        [&] {
            try {
                f();
            } catch (...) {
                thrown = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (thrown) {
        std::rethrow_exception(thrown);
    }
}

void ServerThread::stopServer() {
    if (!m_server) {
        return;
    }
    run([this] { m_server->shutdown(); });
    // A request under way returns through its pick's loop first, once that has seen the end.
    bool stopped = false;
    while (!stopped) {
        run([&] {
            if (!m_server->isServing()) {
                m_server.reset();
                stopped = true;
            }
        });
        if (!stopped) {
            QThread::msleep(1);
        }
    }
}

}  // namespace cad::remote
