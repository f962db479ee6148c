// A sketchcad stand-in for the tests: an embedded drawing served on its own thread, in a private
// runtime directory of the test's own.
#pragma once

#include <QTemporaryDir>
#include <functional>

#include "cad/memory/application.h"
#include "cad/remote/server_thread.h"

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

// The served drawing "Drawing1.dwg" of a test, with its picker.
class ServerThread {
public:
    // Served on the socket unless told otherwise.
    explicit ServerThread(const cad::remote::ServerThread::MakeServer& make = {});

    void run(const std::function<void()>& f) { m_served->run(f); }
    void stopServer() { m_served->stopServer(); }
    const std::optional<QString>& listenResult() const { return m_served->listenResult(); }
    int heldObjects();
    int clientCount();
    // Waits (generously) until the server holds that many objects; false when it never does.
    bool waitForHeldObjects(int n);
    // Waits (generously) until a pick waits for the user; false when none ever does.
    bool waitUntilPickWaits();

    std::shared_ptr<cad::memory::Application> app;
    TestPicker picker;

private:
    std::optional<cad::remote::ServerThread> m_served;  // made once app and picker are there
};

}  // namespace remote_test
