// sketchcad as a real process: serving, picks from a picks file, the second instance, quitting.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "cad/automation.h"
#include "cad/memory/application.h"
#include "cad/remote/client.h"
#include "cad/running.h"
#include "dxf/drawing.h"
#include "support/qstring_printer.h"

namespace {

using namespace Qt::StringLiterals;
using cad::Point;

class SketchcadProcess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        runtime = m_dir.filePath(u"run"_s);
        ASSERT_TRUE(QDir().mkdir(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_previousRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        cad::remote::installRemoteLocator();
    }
    void TearDown() override {
        for (auto& p : m_processes) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(10000);
            }
        }
        qputenv("XDG_RUNTIME_DIR", m_previousRuntime);
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A drawing with a line from (0,0) to (100,0) and a circle around (50,50), saved as DXF.
    QString writeDrawing() const {
        auto app = cad::memory::Application::create();
        auto doc = app->newDocument(u"plan.dwg"_s);
        cad::Application a(app);
        cad::ModelSpace ms = a.ActiveDocument().ModelSpace();
        ms.AddLine(Point{0, 0, 0}, Point{100, 0, 0});
        ms.AddCircle(Point{50, 50, 0}, 10);
        ms.AddLine(Point{300, 300, 0}, Point{310, 300, 0});
        const QString file = path(u"plan.dxf"_s);
        EXPECT_TRUE(dxf::saveDrawing(*doc, file).ok());
        return file;
    }

    QProcess& start(const QStringList& arguments) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime);
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(SKETCHCAD_PATH), arguments);
        m_processes.push_back(std::move(p));
        return *m_processes.back();
    }

    // The first line on stdout, once written.
    static QString firstLine(QProcess& p) {
        while (!p.canReadLine() && p.waitForReadyRead(30000)) {
        }
        return QString::fromUtf8(p.readLine()).trimmed();
    }

    // What is on stderr once something is: it comes through its own pipe, in no fixed order
    // with stdout.
    static QByteArray errorOutput(QProcess& p) {
        p.setReadChannel(QProcess::StandardError);
        while (p.bytesAvailable() == 0 && p.waitForReadyRead(30000)) {
        }
        p.setReadChannel(QProcess::StandardOutput);
        return p.readAllStandardError();
    }

    static cad::Application attach() {
        return cad::GetRunningApplication(QString::fromUtf16(cad::kAutoCadProgId));
    }

    QString runtime;

private:
    QTemporaryDir m_dir;
    QByteArray m_previousRuntime;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

TEST_F(SketchcadProcess, ServesTheDrawingAnswersPicksFromTheFileAndQuitsWithAScreenshot) {
    const QString file = writeDrawing();
    QFile picks(path(u"picks.txt"_s));
    ASSERT_TRUE(picks.open(QIODevice::WriteOnly));
    picks.write("point 30 70\n\nwindow 30 30 70 70\ncrossing 90 -5 95 5; click 50 40\ncancel\n");
    picks.close();
    const QString shot = path(u"shot.png"_s);
    QProcess& p = start({file, u"--picks"_s, picks.fileName(), u"--screenshot-on-exit"_s, shot});
    EXPECT_TRUE(firstLine(p).startsWith(u"sketchcad: serving "_s));

    cad::Application app = attach();
    ASSERT_FALSE(app.isEmpty());
    cad::Document doc = app.ActiveDocument();
    EXPECT_EQ(doc.Name(), u"plan.dxf"_s);
    EXPECT_EQ(doc.ModelSpace().Count(), 3);

    EXPECT_EQ(doc.Utility().GetPoint(std::nullopt, u"指定点:"_s), (Point{30, 70, 0}));

    cad::SelectionSet window = doc.SelectionSets().Add(u"W"_s);
    window.SelectOnScreen();
    ASSERT_EQ(window.Count(), 1);
    EXPECT_EQ(window.Item(0).EntityName(), u"AcDbCircle"_s);

    // The crossing touches the line; the click on the circle's edge toggles the circle in.
    cad::SelectionSet crossing = doc.SelectionSets().Add(u"C"_s);
    crossing.SelectOnScreen();
    EXPECT_EQ(crossing.Count(), 2);

    EXPECT_THROW(doc.Utility().GetPoint(Point{0, 0, 0}, u"指定点:"_s), cad::Error);

    // Saved as DXF through the interface, by the program's own saver.
    const QString saved = path(u"saved.dxf"_s);
    doc.SaveAs(saved);
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(doc.Name(), u"saved.dxf"_s);

    app.object()->Call(cad::Member::Quit, {});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(shot));
}

TEST_F(SketchcadProcess, ASecondInstanceSaysOneRunsAndExitsWithStatusThree) {
    QProcess& first = start({});
    ASSERT_TRUE(firstLine(first).startsWith(u"sketchcad: serving "_s));
    QProcess& second = start({});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 3);
    EXPECT_FALSE(second.readAllStandardError().isEmpty());
    EXPECT_EQ(attach().ActiveDocument().Name(), u"Drawing1.dwg"_s);
}

TEST_F(SketchcadProcess, AFileThatFailsToLoadLeavesNoDrawingOpen) {
    QFile broken(path(u"broken.dxf"_s));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nnot a number\n");
    broken.close();
    QProcess& p = start({broken.fileName()});
    ASSERT_TRUE(firstLine(p).startsWith(u"sketchcad: serving "_s));
    EXPECT_FALSE(errorOutput(p).isEmpty());
    EXPECT_EQ(attach().Documents().Count(), 0);
}

TEST_F(SketchcadProcess, APicksFileWithAMistakeIsRefusedBeforeServing) {
    QFile picks(path(u"bad.txt"_s));
    ASSERT_TRUE(picks.open(QIODevice::WriteOnly));
    picks.write("point 1 2\nwindow 1 2\n");
    picks.close();
    QProcess& p = start({u"--picks"_s, picks.fileName()});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(u"line 2"_s));
}

}  // namespace
