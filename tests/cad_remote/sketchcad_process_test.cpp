// Attaching to sketchcad as a real process: none running, started, quit or killed, started again;
// through its socket and, on Windows, through COM as the assistant finds "AutoCAD.Application".
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include "cad/busy_wait.h"
#include "cad/cad_link.h"
#include "cad/remote/client.h"
#ifdef _WIN32
#include "cad/com/locator.h"
#endif
#include "cad/running.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"

namespace {

using namespace Qt::StringLiterals;

const QString kNotOpen = u"提示：服务器AutoCAD没有打开"_s;
const QString kOpened = u"提示：服务器AutoCAD已经打开"_s;
const QString kExited = u"提示：服务器AutoCAD已经退出"_s;
constexpr int kStartTimeoutMs = 20'000;
constexpr int kExitTimeoutMs = 15'000;

// A sketchcad child, offscreen, with an empty drawing.
class Sketchcad {
public:
    explicit Sketchcad(const QString& runtimeDir) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_RUNTIME_DIR"_s, runtimeDir);
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        m_process.setProcessEnvironment(env);
    }
    ~Sketchcad() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kExitTimeoutMs);
        }
    }

    // True once it says it serves; false when it ends or stays silent first.
    bool startServing(const QStringList& arguments = {}) {
        m_process.start(QStringLiteral(SKETCHCAD), arguments);
        if (!m_process.waitForStarted(kStartTimeoutMs)) {
            return false;
        }
        while (!m_output.contains("sketchcad: serving ")) {
            if (!m_process.waitForReadyRead(kStartTimeoutMs)) {
                return false;
            }
            m_output += m_process.readAllStandardOutput();
        }
        return true;
    }

    // The exit status, or -1 when it did not end in time or crashed.
    int exitStatus() {
        // waitForFinished is false for a process that has already ended.
        if (m_process.state() != QProcess::NotRunning &&
            !m_process.waitForFinished(kExitTimeoutMs)) {
            return -1;
        }
        if (m_process.exitStatus() != QProcess::NormalExit) {
            return -1;
        }
        return m_process.exitCode();
    }

    QProcess& process() { return m_process; }

private:
    QProcess m_process;
    QByteArray m_output;
};

enum class Transport { Socket, Com };

class SketchcadAttach : public ::testing::TestWithParam<Transport> {
protected:
    SketchcadAttach() {
        // Never the user's server: the socket lives in a runtime directory of the test's own.
        m_savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
#ifdef _WIN32
        if (GetParam() == Transport::Com) {
            cad::com::installComLocator({{u"AutoCAD.Application"_s}, {}}, {});
            return;
        }
#endif
        cad::remote::installRemoteLocator();
    }
    ~SketchcadAttach() override {
        link.ReleaseCadObjects();
        cad::setPlatformLocator({});
        qputenv("XDG_RUNTIME_DIR", m_savedRuntime);
    }

    QString runtime() const {
        return m_runtime.path();
    }
    QString tick() {
        link.tick();
        return ui.lastHint();
    }

    ui::RecordingUi ui;
    cad::CadLink link{ui};

private:
    QTemporaryDir m_runtime;
    QByteArray m_savedRuntime;
};

TEST_P(SketchcadAttach, TheTickFollowsTheServerThroughQuitAndRestart) {
    link.AttachCad();
    EXPECT_EQ(ui.lastHint(), kNotOpen);
    EXPECT_EQ(tick(), kNotOpen);
    EXPECT_FALSE(link.isAttached());

    {
        Sketchcad first(runtime());
        ASSERT_TRUE(first.startServing());
        EXPECT_EQ(tick(), kOpened);
        ASSERT_TRUE(link.isAttached());
        EXPECT_EQ(link.objAcad.ActiveDocument().Name(), u"Drawing1.dwg"_s);

        // Quit through the interface: the program ends by itself, cleanly.
        link.objAcad.object()->Call(cad::Member::Quit, {});
        EXPECT_EQ(first.exitStatus(), 0);
        EXPECT_EQ(tick(), kExited);
        EXPECT_FALSE(link.isAttached());
        EXPECT_EQ(tick(), kExited);
    }

    Sketchcad second(runtime());
    ASSERT_TRUE(second.startServing());
    EXPECT_EQ(tick(), kOpened);
    EXPECT_EQ(link.objAcad.ActiveDocument().Name(), u"Drawing1.dwg"_s);
}

TEST_P(SketchcadAttach, AKilledServerIsReportedAtTheNextTickAndFoundAgainWhenRestarted) {
    Sketchcad first(runtime());
    ASSERT_TRUE(first.startServing());
    link.AttachCad();
    ASSERT_TRUE(link.isAttached());

    first.process().kill();
    ASSERT_TRUE(first.process().waitForFinished(kExitTimeoutMs));
    EXPECT_EQ(tick(), kExited);
    EXPECT_FALSE(link.isAttached());

    // The dead server's socket is taken over by the next one.
    Sketchcad second(runtime());
    ASSERT_TRUE(second.startServing());
    EXPECT_EQ(tick(), kOpened);
    EXPECT_EQ(link.objAcad.ActiveDocument().Name(), u"Drawing1.dwg"_s);
}

#ifdef _WIN32
// A CAD in a command refuses calls for a while: a call made meanwhile goes through once it is
// free again, the hint line saying the assistant waits; a call refused beyond the limit fails as
// a CAD failure.
TEST(SketchcadBusy, ARefusedCallIsTriedAgainUntilTheLimit) {
    QTemporaryDir runtime;
    Sketchcad busy(runtime.path());
    ASSERT_TRUE(busy.startServing({u"--refuse-calls"_s, u"6000"_s}));
    int told = 0;
    // The timer's check finds the busy CAD there, at once and without a word.
    cad::com::installComLocator({{u"AutoCAD.Application"_s}, {}}, [&] { ++told; });
    ui::RecordingUi ui;
    cad::CadLink link{ui};
    link.AttachCad();
    QElapsedTimer tick;
    tick.start();
    link.tick();
    EXPECT_LT(tick.elapsed(), 2000);
    EXPECT_TRUE(link.isAttached());
    EXPECT_TRUE(ui.hints.isEmpty());
    EXPECT_EQ(told, 0);
    link.ReleaseCadObjects();

    cad::com::installComLocator({{u"AutoCAD.Application"_s}, {.limitMs = 500, .pauseMs = 100}},
                                [&] { ++told; });
    cad::Application impatient = cad::GetRunningApplication(u"AutoCAD.Application"_s);
    try {
        impatient.Version();
        ADD_FAILURE() << "a call refused beyond the limit";
    } catch (const cad::Error& e) {
        EXPECT_EQ(e.message(), u"CAD 正忙，0.5 秒内没有接受调用"_s);
    }
    EXPECT_EQ(told, 1);
    // An operation's guard: the CAD is there but busy beyond the wait, a CAD call failure.
    link.AttachCad();
    EXPECT_THROW(link.CheckCadReady(), cad::CadBusy);
    EXPECT_TRUE(link.isAttached());
    link.ReleaseCadObjects();

    cad::com::installComLocator({{u"AutoCAD.Application"_s}, {}}, [&] { ++told; });
    cad::Application patient = cad::GetRunningApplication(u"AutoCAD.Application"_s);
    EXPECT_EQ(patient.ActiveDocument().Name(), u"Drawing1.dwg"_s);
    EXPECT_EQ(told, 3);
    cad::setPlatformLocator({});
}
#endif

INSTANTIATE_TEST_SUITE_P(Socket, SketchcadAttach, ::testing::Values(Transport::Socket));
#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Com, SketchcadAttach, ::testing::Values(Transport::Com));
#endif

}  // namespace
