// The assistant while it waits for a pick: its event loop runs (the window stays painted), the
// user's input to it waits until the pick is over, and a server that vanishes ends the wait.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <atomic>

#include "cad/input_hold.h"
#include "remote_fixture.h"

namespace remote_test {
namespace {

using namespace Qt::StringLiterals;
using cad::Point;

// Stands for a widget of the assistant's window: records the user input it is given.
class InputRecorder : public QObject {
public:
    std::vector<QEvent::Type> seen;

protected:
    bool event(QEvent* e) override {
        if (cad::InputHold::isUserInput(e->type())) {
            seen.push_back(e->type());
            return true;
        }
        return QObject::event(e);
    }
};

bool waitFor(const std::function<bool()>& condition) {
    const QDeadlineTimer deadline(20000);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(5);
    }
    return true;
}

class PickWait : public RemoteDrawing {
protected:
    bool pickWaits() {
        bool waiting = false;
        server.run([&] { waiting = server.picker.interaction->isWaiting(); });
        return waiting;
    }
};

TEST_F(PickWait, TimersRunAndUserInputWaitsUntilThePickIsAnswered) {
    cad::Utility utility = attach().ActiveDocument().Utility();
    InputRecorder window;
    std::atomic<bool> timerRan = false;
    std::size_t inputSeenDuringPick = 99;
    QTimer::singleShot(0, [&] {
        QCoreApplication::postEvent(&window, new QEvent(QEvent::KeyPress));
        QCoreApplication::postEvent(&window, new QEvent(QEvent::MouseButtonPress));
        // Queued behind the input: runs once the input would have been delivered.
        QTimer::singleShot(0, [&] {
            inputSeenDuringPick = window.seen.size();
            timerRan = true;
        });
    });
    std::unique_ptr<QThread> user(QThread::create([&] {
        waitFor([&] { return pickWaits() && timerRan; });
        server.run([&] { server.picker.interaction->finishPoint(Point{3, 4, 0}); });
    }));
    user->start();

    EXPECT_EQ(utility.GetPoint(std::nullopt, u"指定点:"_s), (Point{3, 4, 0}));
    user->wait();
    EXPECT_TRUE(timerRan);
    EXPECT_EQ(inputSeenDuringPick, 0u);
    EXPECT_TRUE(window.seen.empty());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(window.seen, (std::vector{QEvent::KeyPress, QEvent::MouseButtonPress}));
}

TEST_F(PickWait, CallsMadeWhileAPickWaitsAreRefusedAndThePickStillAnswers) {
    cad::Document document = attach().ActiveDocument();
    cad::Utility utility = document.Utility();
    std::atomic<bool> refused = false;
    QTimer::singleShot(0, [&] {
        try {
            document.Name();
        } catch (const cad::Error&) {
            refused = true;
        }
    });
    std::unique_ptr<QThread> user(QThread::create([&] {
        waitFor([&] { return pickWaits() && refused; });
        server.run([&] { server.picker.interaction->finishPoint(Point{1, 2, 0}); });
    }));
    user->start();

    EXPECT_EQ(utility.GetPoint(std::nullopt, u"指定点:"_s), (Point{1, 2, 0}));
    user->wait();
    EXPECT_TRUE(refused);
    EXPECT_EQ(document.Name(), u"Drawing1.dwg"_s);
}

TEST(PickWaitServerGone, AServerVanishingDuringAPickFailsTheCall) {
    PrivateRuntimeDir runtime;
    cad::remote::installRemoteLocator();
    QProcess child;
    child.start(QStringLiteral(REMOTE_SERVER_CHILD), {});
    QByteArray said;
    ASSERT_TRUE(waitFor([&] {
        child.waitForReadyRead(100);
        said += child.readAllStandardOutput();
        return said.contains("serving");
    }));
    cad::Utility utility = cad::GetRunningApplication(QString::fromUtf16(cad::kAutoCadProgId))
                               .ActiveDocument()
                               .Utility();
    QObject::connect(&child, &QProcess::readyReadStandardOutput, [&] {
        if (child.readAllStandardOutput().contains("picking")) {
            child.kill();
        }
    });

    EXPECT_THROW(utility.GetPoint(std::nullopt, u"指定点:"_s), cad::Error);
    EXPECT_THROW(utility.GetPoint(std::nullopt, u"指定点:"_s), cad::Error);
    child.waitForFinished();
}

}  // namespace
}  // namespace remote_test
