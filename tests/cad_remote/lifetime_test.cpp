// Objects handed to a client live until it drops them or goes away.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include "raw_client.h"
#include "remote_fixture.h"

namespace remote_test {
namespace {

using namespace Qt::StringLiterals;

class RemoteLifetime : public RemoteDrawing {};

TEST_F(RemoteLifetime, DroppedReferencesAreReleasedOnTheServer) {
    server.run([&] {
        for (int i = 0; i < 20; ++i) {
            local().ActiveDocument().ModelSpace().AddPoint({double(i), 0, 0});
        }
    });
    cad::Application acad = attach();
    {
        cad::ModelSpace ms = acad.ActiveDocument().ModelSpace();
        std::vector<cad::Entity> kept;
        for (int i = 0; i < ms.Count(); ++i) {
            kept.push_back(ms.Item(i));
        }
        // The same entity handed out twice is held until both references are dropped.
        kept.push_back(ms.Item(0));
        // The application, model space and the points; the document was dropped at once.
        EXPECT_EQ(server.heldObjects(), 1 + 1 + 20);
        kept.pop_back();
        acad.Version();
        EXPECT_EQ(server.heldObjects(), 1 + 1 + 20);
    }
    // What the walk fetched ahead is held until the assistant is back in its event loop.
    QCoreApplication::processEvents();
    acad.Version();
    EXPECT_TRUE(server.waitForHeldObjects(1));
}

TEST_F(RemoteLifetime, AVanishedClientReleasesEverythingAtOnce) {
    {
        RawClient raw;
        const std::uint32_t acad = raw.hello();
        ASSERT_NE(acad, 0u);
        ASSERT_TRUE(raw.ask(getRequest(acad, u"ActiveDocument"_s)));
        ASSERT_TRUE(raw.ask(getRequest(acad, u"Documents"_s)));
        EXPECT_EQ(server.heldObjects(), 3);
        raw.close();
    }
    EXPECT_TRUE(server.waitForHeldObjects(0));
    const QDeadlineTimer deadline(20000);
    while (server.clientCount() != 0 && !deadline.hasExpired()) {
        QThread::msleep(5);
    }
    EXPECT_EQ(server.clientCount(), 0);
}

TEST_F(RemoteLifetime, AVanishedServerFailsTheNextCall) {
    cad::Document doc = attach().ActiveDocument();
    server.stopServer();
    EXPECT_THROW(doc.Name(), cad::Error);
    EXPECT_THROW(doc.Name(), cad::Error);
    EXPECT_THROW(attach(), cad::Error);
}

}  // namespace
}  // namespace remote_test
