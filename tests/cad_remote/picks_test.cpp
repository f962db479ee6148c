// Picks answered later, in the window: the client waits, the server keeps serving meanwhile.
#include <QDeadlineTimer>
#include <QThread>

#include "raw_client.h"
#include "remote_fixture.h"

namespace remote_test {
namespace {

using namespace Qt::StringLiterals;
using cad::Point;

class RemotePicks : public RemoteDrawing {
protected:
    // On a thread of its own, as the window and a second program would act while the
    // assistant waits: another client is served, then the user finishes the pick.
    std::unique_ptr<QThread> finishPickLater(std::optional<Point> answer, QString* otherSaw) {
        std::unique_ptr<QThread> t(QThread::create([this, answer, otherSaw] {
            if (!server.waitUntilPickWaits()) {
                return;
            }
            *otherSaw = attach().ActiveDocument().Name();
            server.run([&] { server.picker.interaction->finishPoint(answer); });
        }));
        t->start();
        return t;
    }
};

TEST_F(RemotePicks, GetPointWaitsForTheUserWhileOtherClientsAreServed) {
    cad::Utility utility = attach().ActiveDocument().Utility();
    QString otherSaw;
    auto helper = finishPickLater(Point{3, 4, 0}, &otherSaw);
    const Point picked = utility.GetPoint(Point{1, 1, 0}, u"指定插入点:"_s);
    helper->wait();
    EXPECT_EQ(picked, (Point{3, 4, 0}));
    EXPECT_EQ(otherSaw, u"Drawing1.dwg"_s);
    EXPECT_EQ(server.picker.prompts, QStringList{u"指定插入点:"_s});
}

TEST_F(RemotePicks, ACancelledPickFailsTheCall) {
    cad::Utility utility = attach().ActiveDocument().Utility();
    QString otherSaw;
    auto helper = finishPickLater(std::nullopt, &otherSaw);
    EXPECT_THROW(utility.GetPoint(std::nullopt, u"指定第一点:"_s), cad::Error);
    helper->wait();
    // The next pick works as usual.
    server.picker.immediatePoint = Point{5, 6, 0};
    EXPECT_EQ(utility.GetPoint(std::nullopt, u"指定第二点:"_s), (Point{5, 6, 0}));
}

TEST_F(RemotePicks, OnePickAtATimeAnotherMeanwhileFails) {
    cad::Utility utility = attach().ActiveDocument().Utility();
    bool secondFailed = false;
    std::unique_ptr<QThread> helper(QThread::create([&] {
        if (!server.waitUntilPickWaits()) {
            return;
        }
        try {
            attach().ActiveDocument().Utility().GetPoint(std::nullopt, u"另一个:"_s);
        } catch (const cad::Error&) {
            secondFailed = true;
        }
        server.run([&] { server.picker.interaction->finishPoint(Point{1, 1, 0}); });
    }));
    helper->start();
    EXPECT_EQ(utility.GetPoint(std::nullopt, u"第一个:"_s), (Point{1, 1, 0}));
    helper->wait();
    EXPECT_TRUE(secondFailed);
}

TEST_F(RemotePicks, AClientVanishingDuringAPickAbandonsItAndReleasesItsObjects) {
    {
        RawClient raw;
        const std::uint32_t acad = raw.hello();
        const auto doc = raw.ask(getRequest(acad, u"ActiveDocument"_s));
        ASSERT_TRUE(doc && !doc->error);
        const std::uint32_t docId = static_cast<const IdTag&>(*doc->value.toObject()).id;
        const auto utility = raw.ask(getRequest(docId, u"Utility"_s));
        ASSERT_TRUE(utility && !utility->error);
        cad::remote::Request pick =
            getRequest(static_cast<const IdTag&>(*utility->value.toObject()).id, u"getpoint"_s);
        pick.kind = cad::remote::RequestKind::Call;
        pick.values = {cad::Value(), cad::Value(u"指定点:"_s)};
        raw.send(pick);
        ASSERT_TRUE(server.waitUntilPickWaits());
        raw.close();
    }
    EXPECT_TRUE(server.waitForHeldObjects(0));
    int abandoned = 0;
    server.run([&] { abandoned = server.picker.abandoned; });
    EXPECT_EQ(abandoned, 1);
    EXPECT_EQ(attach().ActiveDocument().Name(), u"Drawing1.dwg"_s);
}

}  // namespace
}  // namespace remote_test
