// A sketchcad stand-in for the tests: an embedded drawing served on its own thread, in a private
// runtime directory of the test's own.
#pragma once

#include <QTemporaryDir>
#include <QThread>
#include <functional>

#include "cad/memory/application.h"
#include "cad/remote/server.h"

namespace remote_test {

// Answers picks the way the test says: at once from a queue, or only when told (finish*() on
// the server's interaction, from the test through ServerThread::run).
class TestPicker : public cad::remote::Picker {
public:
    void startPoint(const QString& prompt, const std::optional<cad::Point>& basePoint) override;
    void startSelection(const QString& prompt) override;
    void abandon() override { ++abandoned; }

    cad::remote::WaitingInteraction* interaction = nullptr;
    std::optional<cad::Point> immediatePoint;       // answered inside start when set
    std::optional<QStringList> immediateSelection;  // likewise
    QStringList prompts;
    int abandoned = 0;
};

// Sets $XDG_RUNTIME_DIR to a fresh private directory for the life of the object, so tests never
// meet each other's servers.
class PrivateRuntimeDir {
public:
    PrivateRuntimeDir();
    ~PrivateRuntimeDir();

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

class ServerThread {
public:
    // Starts the thread and a server on it over a drawing "Drawing1.dwg"; listenResult() says
    // whether it listens.
    ServerThread();
    ~ServerThread();

    // Runs f on the server's thread and waits for it.
    void run(const std::function<void()>& f);
    // The server goes away as a quitting program's would: socket closed, clients cut off.
    void stopServer();

    const std::optional<QString>& listenResult() const { return m_listenResult; }
    int heldObjects();
    int clientCount();
    // Waits (generously) until the server holds that many objects; false when it never does.
    bool waitForHeldObjects(int n);

    std::shared_ptr<cad::memory::Application> app;
    TestPicker picker;

private:
    QThread m_thread;
    QObject* m_context = nullptr;  // lives on m_thread
    std::unique_ptr<cad::remote::Server> m_server;
    std::optional<QString> m_listenResult;
};

}  // namespace remote_test
