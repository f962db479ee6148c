// Clients, picks and the server racing each other: every pick ends its own way, no session goes
// while it still serves, a walk reads what direct calls read.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSemaphore>
#include <QThread>

#include "raw_client.h"
#include "remote_fixture.h"

namespace remote_test {
namespace {

using namespace Qt::StringLiterals;
using cad::Point;
using cad::remote::Answer;
using cad::remote::Request;
using cad::remote::RequestKind;

class RemoteRaces : public RemoteDrawing {
protected:
    // The Utility object of a raw client, after its hello.
    static std::uint32_t utilityOf(RawClient& raw) {
        const std::uint32_t acad = raw.hello();
        std::optional<Answer> doc = raw.ask(getRequest(acad, u"ActiveDocument"_s));
        const auto docId = static_cast<const IdTag&>(*doc->value.toObject()).id;
        std::optional<Answer> util = raw.ask(getRequest(docId, u"Utility"_s));
        return static_cast<const IdTag&>(*util->value.toObject()).id;
    }

    static Request getPoint(std::uint32_t utility, std::uint32_t serial) {
        Request r;
        r.kind = RequestKind::Call;
        r.serial = serial;
        r.object = utility;
        r.name = u"GetPoint"_s;
        r.values = {cad::Value(), cad::Value(u"指定点:"_s)};
        return r;
    }
};

TEST_F(RemoteRaces, StoppingTheServerWhileAPickWaitsEndsThePickFirst) {
    RawClient raw;
    raw.send(getPoint(utilityOf(raw), 11));
    ASSERT_TRUE(server.waitUntilPickWaits());
    // The stop runs inside the pick's event loop, with the session's serve() on the stack.
    server.stopServer();
    EXPECT_TRUE(raw.waitForServerToClose());
}

TEST_F(RemoteRaces, APickAnsweredAsAnotherClientAsksGetsItsOwnAnswer) {
    RawClient first;
    RawClient second;
    const std::uint32_t firstUtility = utilityOf(first);
    const std::uint32_t secondUtility = utilityOf(second);
    first.send(getPoint(firstUtility, 21));
    ASSERT_TRUE(server.waitUntilPickWaits());

    // The first pick's answer and the second client's request reach the server in one turn of
    // its event loop: the user clicks just as another program asks for a pick.
    QObject* serverSide = nullptr;
    server.run([&] { serverSide = new QObject; });
    QSemaphore hold;
    QMetaObject::invokeMethod(
        serverSide, [&] { hold.acquire(); }, Qt::QueuedConnection);
    second.send(getPoint(secondUtility, 22));
    QMetaObject::invokeMethod(
        serverSide,
        [&] {
            server.picker.interaction->finishPoint(Point{1, 1, 0});
        },
        Qt::QueuedConnection);
    hold.release();

    // The second pick is refused, or starts (at once, or once the first has been answered) and
    // the user answers it.
    const QDeadlineTimer deadline(20000);
    bool secondStarted = false;
    while (!secondStarted && !second.answerArrived() && !deadline.hasExpired()) {
        server.run([&] {
            secondStarted =
                server.picker.interaction->isWaiting() && server.picker.prompts.size() == 2;
        });
        QThread::msleep(5);
    }
    if (secondStarted) {
        server.run([&] { server.picker.interaction->finishPoint(Point{2, 2, 0}); });
    }

    std::optional<Answer> firstAnswer = first.answer();
    std::optional<Answer> secondAnswer = second.answer();
    ASSERT_TRUE(firstAnswer && secondAnswer);
    EXPECT_EQ(firstAnswer->serial, 21u);
    EXPECT_EQ(firstAnswer->value, cad::Value(Point{1, 1, 0}));
    if (secondStarted) {
        EXPECT_EQ(secondAnswer->value, cad::Value(Point{2, 2, 0}));
    } else {
        EXPECT_TRUE(secondAnswer->error);
    }
    server.run([&] { delete serverSide; });
}

TEST_F(RemoteRaces, AClientCutOffForNotReadingLeavesAnotherClientsPickAlone) {
    server.run([&] {
        local().ActiveDocument().ModelSpace().AddText(QString(4 * 1024 * 1024, u'x'), {0, 0, 0}, 1);
    });
    RawClient picking;
    picking.send(getPoint(utilityOf(picking), 31));
    ASSERT_TRUE(server.waitUntilPickWaits());

    // Asks for far more than it reads: the server cuts it off while serving its requests.
    RawClient greedy;
    const std::uint32_t acad = greedy.hello();
    std::optional<Answer> doc = greedy.ask(getRequest(acad, u"ActiveDocument"_s));
    const auto docId = static_cast<const IdTag&>(*doc->value.toObject()).id;
    std::optional<Answer> ms = greedy.ask(getRequest(docId, u"ModelSpace"_s));
    const auto msId = static_cast<const IdTag&>(*ms->value.toObject()).id;
    Request item;
    item.kind = RequestKind::Call;
    item.serial = 40;
    item.object = msId;
    item.name = u"Item"_s;
    item.values = {cad::Value(0)};
    std::optional<Answer> text = greedy.ask(item);
    const auto textId = static_cast<const IdTag&>(*text->value.toObject()).id;
    QByteArray many;
    for (int i = 0; i < 12; ++i) {
        many += cad::remote::frame(cad::remote::encodeRequest(getRequest(textId, u"TextString"_s),
                                                              *std::make_unique<TagIds>()));
    }
    greedy.writeBytes(many);
    EXPECT_TRUE(greedy.waitForServerToClose());

    bool waiting = false;
    int abandoned = -1;
    server.run([&] {
        waiting = server.picker.interaction->isWaiting();
        abandoned = server.picker.abandoned;
    });
    EXPECT_TRUE(waiting);
    EXPECT_EQ(abandoned, 0);
    server.run([&] { server.picker.interaction->finishPoint(Point{1, 1, 0}); });
    std::optional<Answer> answer = picking.answer();
    ASSERT_TRUE(answer);
    EXPECT_FALSE(answer->error) << answer->error->toStdString();
}

TEST_F(RemoteRaces, AWalkOverLongTextsReadsEveryItemAsADirectCallWould) {
    // Long notes: each item alone is far below the message cap, a range of them is not.
    server.run([&] {
        cad::ModelSpace ms = local().ActiveDocument().ModelSpace();
        for (int i = 0; i < 80; ++i) {
            ms.AddText(QString(300 * 1000, QChar(u'a' + i % 26)), {double(i), 0, 0}, 1);
        }
    });
    cad::ModelSpace ms = attach().ActiveDocument().ModelSpace();
    for (int i = 0; i < ms.Count(); ++i) {
        try {
            EXPECT_EQ(ms.Item(i).TextString().size(), 300 * 1000);
        } catch (const cad::Error& err) {
            FAIL() << "item " << i << ": " << err.message().toStdString();
        }
    }
}

TEST_F(RemoteRaces, ASelectionSetDeletedByAnotherClientWhileItsPickWaitsFailsTheCall) {
    server.run([&] { local().ActiveDocument().ModelSpace().AddPoint({0, 0, 0}); });
    RawClient picking;
    const std::uint32_t acad = picking.hello();
    std::optional<Answer> doc = picking.ask(getRequest(acad, u"ActiveDocument"_s));
    const auto docId = static_cast<const IdTag&>(*doc->value.toObject()).id;
    std::optional<Answer> sets = picking.ask(getRequest(docId, u"SelectionSets"_s));
    Request add;
    add.kind = RequestKind::Call;
    add.serial = 50;
    add.object = static_cast<const IdTag&>(*sets->value.toObject()).id;
    add.name = u"Add"_s;
    add.values = {cad::Value(u"PICKED"_s)};
    std::optional<Answer> set = picking.ask(add);
    ASSERT_TRUE(set && !set->error);
    Request select;
    select.kind = RequestKind::Call;
    select.serial = 51;
    select.object = static_cast<const IdTag&>(*set->value.toObject()).id;
    select.name = u"SelectOnScreen"_s;
    picking.send(select);
    ASSERT_TRUE(server.waitUntilPickWaits());

    // Another program deletes the set meanwhile; then the user finishes the selection.
    attach().ActiveDocument().SelectionSets().Item(0).Delete();
    server.run([&] { server.picker.interaction->finishSelection(QStringList()); });

    std::optional<Answer> answer = picking.answer();
    ASSERT_TRUE(answer);
    EXPECT_TRUE(answer->error);
}

// What reading TextString of every item of the first selection set gives, failures included.
QStringList textsOfSelection(const cad::Application& acad) {
    cad::SelectionSet set = acad.ActiveDocument().SelectionSets().Item(0);
    QStringList seen;
    for (int i = 0; i < set.Count(); ++i) {
        try {
            seen.append(set.Item(i).TextString());
        } catch (const cad::Error& err) {
            seen.append(u"!"_s + err.message());
        }
    }
    return seen;
}

TEST_F(RemoteRaces, AWalkOverASelectionWithErasedItemsFailsAsDirectCallsDo) {
    server.run([&] {
        cad::Document doc = local().ActiveDocument();
        cad::ModelSpace ms = doc.ModelSpace();
        QStringList handles;
        std::vector<cad::Entity> lines;
        for (int i = 0; i < 20; ++i) {
            handles.append(ms.AddText(QString::number(i), {double(i), 0, 0}, 1).Handle());
        }
        for (int i = 0; i < 20; ++i) {
            lines.push_back(ms.AddLine({double(i), 0, 0}, {double(i), 1, 0}));
            handles.append(lines.back().Handle());
        }
        server.picker.immediateSelection = handles;
        doc.SelectionSets().Add(u"S"_s).SelectOnScreen();
        for (const cad::Entity& line : lines) {
            line.Delete();
        }
    });
    QStringList direct;
    server.run([&] { direct = textsOfSelection(local()); });
    EXPECT_EQ(textsOfSelection(attach()), direct);
}

TEST_F(RemoteRaces, ARequestThatArrivesWhileItsClientsPickWaitsIsAnsweredAfterThePick) {
    RawClient raw;
    const std::uint32_t utility = utilityOf(raw);
    raw.send(getPoint(utility, 61));
    ASSERT_TRUE(server.waitUntilPickWaits());
    raw.send(getRequest(utility, u"Name"_s));
    // Two turns of the server's event loop: the request has reached it while the pick waits.
    server.run([] {});
    server.run([] {});
    server.run([&] { server.picker.interaction->finishPoint(Point{7, 7, 0}); });

    std::optional<Answer> pick = raw.answer();
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->serial, 61u);
    // Nothing more is sent: the waiting request is answered all the same.
    EXPECT_TRUE(raw.answer().has_value());
}

TEST_F(RemoteRaces, AfterTheProgramBeganToEndAPickWaitingOrAskedForLaterIsCancelled) {
    RawClient raw;
    const std::uint32_t utility = utilityOf(raw);
    raw.send(getPoint(utility, 71));
    ASSERT_TRUE(server.waitUntilPickWaits());
    server.run([&] { server.picker.interaction->close(); });
    std::optional<Answer> waiting = raw.answer();
    ASSERT_TRUE(waiting);
    EXPECT_TRUE(waiting->error);
    // Asked while the program drains its last events: answered at once, nobody is asked.
    std::optional<Answer> later = raw.ask(getPoint(utility, 72));
    ASSERT_TRUE(later);
    EXPECT_TRUE(later->error);
    int prompts = 0;
    server.run([&] { prompts = int(server.picker.prompts.size()); });
    EXPECT_EQ(prompts, 1);
}

}  // namespace
}  // namespace remote_test
