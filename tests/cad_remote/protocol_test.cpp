// Reading, writing and calling members of a served drawing through the socket.
#include <QFile>
#include <QLockFile>
#include <QThread>

#include "cad/cad_link.h"
#include "cad/remote/local_endpoint.h"
#include "remote_fixture.h"
#include "ui/recording_ui.h"

namespace remote_test {
namespace {

using namespace Qt::StringLiterals;
using cad::Point;

class RemoteMembers : public RemoteDrawing {};

TEST_F(RemoteMembers, ReadsTextsDoublesAndPointsWrittenOnTheServer) {
    server.run([&] { local().ActiveDocument().ModelSpace().AddText(u"12.5"_s, {10, 20, 0}, 3.5); });
    cad::Application acad = attach();
    cad::Document doc = acad.ActiveDocument();
    EXPECT_EQ(doc.Name(), u"Drawing1.dwg"_s);
    EXPECT_FALSE(acad.Version().isEmpty());
    EXPECT_EQ(acad.Documents().Count(), 1);
    cad::Entity text = doc.ModelSpace().Item(0);
    EXPECT_EQ(text.EntityName(), u"AcDbText"_s);
    EXPECT_EQ(text.TextString(), u"12.5"_s);
    EXPECT_DOUBLE_EQ(text.Height(), 3.5);
    EXPECT_EQ(text.InsertionPoint(), (Point{10, 20, 0}));
    EXPECT_EQ(text.Color(), 256);
}

TEST_F(RemoteMembers, WritesReachTheServersDrawing) {
    cad::Document doc = attach().ActiveDocument();
    doc.Layers().Add(u"E-LIGHT"_s);
    cad::Entity text = doc.ModelSpace().AddText(u"1"_s, {}, 2.5);
    text.TextString(u"照明 2"_s);
    text.Height(5);
    text.Layer(u"E-LIGHT"_s);
    text.InsertionPoint({1, 2, 3});
    server.run([&] {
        cad::Entity seen = local().ActiveDocument().ModelSpace().Item(0);
        EXPECT_EQ(seen.TextString(), u"照明 2"_s);
        EXPECT_DOUBLE_EQ(seen.Height(), 5);
        EXPECT_EQ(seen.Layer(), u"E-LIGHT"_s);
        EXPECT_EQ(seen.InsertionPoint(), (Point{1, 2, 3}));
    });
}

TEST_F(RemoteMembers, CallsWithArgumentsDrawEveryKindTheAssistantDraws) {
    cad::ModelSpace ms = attach().ActiveDocument().ModelSpace();
    cad::Entity line = ms.AddLine({0, 0, 0}, {3, 4, 0});
    cad::Entity arc = ms.AddArc({1, 1, 0}, 2, 0, 1.5);
    cad::Entity circle = ms.AddCircle({5, 5, 0}, 1.25);
    cad::Entity spline = ms.AddSpline({0, 0, 0, 1, 1, 0, 2, 0, 0}, {1, 0, 0}, {1, 0, 0});
    cad::Entity mtext = ms.AddMtext({0, 10, 0}, 40, u"第一行\\P第二行"_s);
    cad::Entity point = ms.AddPoint({7, 8, 0});
    EXPECT_EQ(line.EndPoint(), (Point{3, 4, 0}));
    EXPECT_DOUBLE_EQ(arc.EndAngle(), 1.5);
    EXPECT_DOUBLE_EQ(circle.Radius(), 1.25);
    EXPECT_EQ(spline.FitPoints(), (std::vector<double>{0, 0, 0, 1, 1, 0, 2, 0, 0}));
    EXPECT_EQ(mtext.TextString(), u"第一行\\P第二行"_s);
    EXPECT_EQ(point.Coordinates(), (Point{7, 8, 0}));
    EXPECT_EQ(ms.Count(), 6);
    server.run([&] { EXPECT_EQ(local().ActiveDocument().ModelSpace().Count(), 6); });
}

TEST_F(RemoteMembers, ItemWalksVisitEveryEntityAndTableRecord) {
    server.run([&] {
        cad::Document doc = local().ActiveDocument();
        doc.Layers().Add(u"E-POWER"_s);
        for (int i = 0; i < 50; ++i) {
            doc.ModelSpace().AddLine({double(i), 0, 0}, {double(i), 1, 0});
        }
    });
    cad::Document doc = attach().ActiveDocument();
    cad::ModelSpace ms = doc.ModelSpace();
    double total = 0;
    for (int i = 0; i < ms.Count(); ++i) {
        total += ms.Item(i).StartPoint().x;
    }
    EXPECT_DOUBLE_EQ(total, 49 * 50 / 2);
    QStringList layers;
    for (int i = 0; i < doc.Layers().Count(); ++i) {
        layers.append(doc.Layers().Item(i).Name());
    }
    EXPECT_TRUE(layers.contains(u"E-POWER"_s));
    EXPECT_EQ(doc.TextStyles().Item(0).Name(), u"Standard"_s);
}

TEST_F(RemoteMembers, ObjectReferencesGoBackToTheServerAsThemselves) {
    cad::ObjectRef stranger;
    server.run([&] {
        server.app->activeDocument()->addTextStyle(u"HZ"_s, u"txt.shx"_s, u"hztxt.shx"_s);
        stranger = local().ActiveDocument().TextStyles().Item(0).object();
    });
    cad::Document doc = attach().ActiveDocument();
    cad::TextStyles styles = doc.TextStyles();
    cad::TextStyle hz = styles.Item(styles.Count() - 1);
    ASSERT_EQ(hz.Name(), u"HZ"_s);
    doc.ActiveTextStyle(hz);
    EXPECT_EQ(doc.ActiveTextStyle().Name(), u"HZ"_s);
    server.run([&] { EXPECT_EQ(local().ActiveDocument().ActiveTextStyle().Name(), u"HZ"_s); });
    // An object of another drawing cannot be sent to this one.
    EXPECT_THROW(doc.ActiveTextStyle(cad::TextStyle(stranger)), cad::Error);
}

TEST_F(RemoteMembers, SelectionOnScreenCollectsThePickedEntities) {
    cad::Document doc = attach().ActiveDocument();
    const QString handle = doc.ModelSpace().AddCircle({}, 1).Handle();
    server.picker.immediateSelection = QStringList{handle};
    cad::SelectionSet set = doc.SelectionSets().Add(u"SelPart"_s);
    set.SelectOnScreen();
    ASSERT_EQ(set.Count(), 1);
    EXPECT_EQ(set.Item(0).Handle(), handle);
    set.Delete();
    EXPECT_EQ(server.picker.prompts, QStringList{u"选择对象:"_s});
}

TEST_F(RemoteMembers, SystemVariablesRoundTrip) {
    cad::Document doc = attach().ActiveDocument();
    doc.SetVariable(u"MODEMACRO"_s, u"统计 50%"_s);
    EXPECT_EQ(doc.GetVariable(u"MODEMACRO"_s).toText(), u"统计 50%"_s);
}

class RemoteErrors : public RemoteDrawing {};

TEST_F(RemoteErrors, TheServersRefusalArrivesWithItsMessage) {
    cad::ModelSpace ms = attach().ActiveDocument().ModelSpace();
    cad::Entity line = ms.AddLine({}, {1, 0, 0});
    cad::Entity text = ms.AddText(u"a"_s, {}, 1);
    QString localMessage;
    server.run([&] {
        try {
            local().ActiveDocument().ModelSpace().Item(1).Height(0);
        } catch (const cad::Error& e) {
            localMessage = e.message();
        }
    });
    ASSERT_FALSE(localMessage.isEmpty());
    try {
        text.Height(0);
        ADD_FAILURE() << "a zero height was accepted";
    } catch (const cad::Error& e) {
        EXPECT_EQ(e.message(), localMessage);
    }
    EXPECT_THROW(line.TextString(), cad::Error);
    EXPECT_THROW(ms.Item(99), cad::Error);
    EXPECT_THROW(text.Layer(u"NO-SUCH-LAYER"_s), cad::Error);
    // The connection outlives its failures.
    EXPECT_DOUBLE_EQ(text.Height(), 1);
}

TEST_F(RemoteErrors, AnInjectedFaultFailsExactlyThatCall) {
    cad::Application acad = attach();
    server.run([&] { server.app->failCall(2); });
    cad::Document doc = acad.ActiveDocument();
    EXPECT_THROW(doc.Name(), cad::Error);
    EXPECT_EQ(doc.Name(), u"Drawing1.dwg"_s);
}

class RemoteAttach : public ::testing::Test {
protected:
    RemoteAttach() { cad::remote::installRemoteLocator(); }
    PrivateRuntimeDir runtime;
    ui::RecordingUi ui;
    cad::CadLink link{ui};
};

TEST_F(RemoteAttach, StartOrderDoesNotMatterAndLossIsReportedAtTheNextTick) {
    link.AttachCad();
    EXPECT_EQ(ui.lastHint(), u"提示：服务器AutoCAD没有打开"_s);
    {
        ServerThread server;
        ASSERT_FALSE(server.listenResult().has_value());
        link.tick();
        EXPECT_EQ(ui.lastHint(), u"提示：服务器AutoCAD已经打开"_s);
        ASSERT_TRUE(link.isAttached());
        const cad::Document document = link.objAcad.ActiveDocument();
        link.tick();
        EXPECT_EQ(ui.hints.size(), 2);
        server.stopServer();
        EXPECT_THROW(document.Name(), cad::Error);
        link.tick();
        EXPECT_EQ(ui.lastHint(), u"提示：服务器AutoCAD已经退出"_s);
        EXPECT_FALSE(link.isAttached());
    }
    ServerThread again;
    ASSERT_FALSE(again.listenResult().has_value());
    link.tick();
    EXPECT_EQ(ui.lastHint(), u"提示：服务器AutoCAD已经打开"_s);
    EXPECT_EQ(link.objAcad.ActiveDocument().Name(), u"Drawing1.dwg"_s);
}

TEST_F(RemoteAttach, ASecondServerSaysOneIsAlreadyRunning) {
    ServerThread first;
    ASSERT_FALSE(first.listenResult().has_value());
    ServerThread second;
    ASSERT_TRUE(second.listenResult().has_value());
    EXPECT_TRUE(second.listenResult()->contains(u"已有"_s)) << second.listenResult()->toStdString();
    EXPECT_EQ(
        cad::GetRunningApplication(QString::fromUtf16(cad::kAutoCadProgId)).Documents().Count(), 1);
}

// A server killed while serving leaves its lock; when the next one gets the same process id (as
// under Wine after a restart), the lock names a live process of the same program: itself.
TEST_F(RemoteAttach, ALockLeftUnderThisProcessesOwnIdIsTakenOver) {
    const auto endpoint = cad::remote::localEndpoint(QString::fromUtf16(cad::kAutoCadProgId));
    ASSERT_TRUE(endpoint.has_value());
    QByteArray left;
    {
        QLockFile lock(endpoint->lockFile);
        ASSERT_TRUE(lock.tryLock(0));
        QFile file(endpoint->lockFile);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        left = file.readAll();
    }
    QFile file(endpoint->lockFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(left) == left.size());
    file.close();

    ServerThread server;
    EXPECT_FALSE(server.listenResult().has_value()) << server.listenResult()->toStdString();
}

}  // namespace
}  // namespace remote_test
