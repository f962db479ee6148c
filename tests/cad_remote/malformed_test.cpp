// Hostile or broken byte streams: answered with an error or cut off, never the server's end.
#include <QtEndian>
#include <random>

#include "raw_client.h"
#include "remote_fixture.h"

namespace remote_test {
namespace {

using namespace Qt::StringLiterals;
using namespace cad::remote;

class RemoteMalformedInput : public RemoteDrawing {
protected:
    // The server still serves a well-behaved client.
    void expectServerAlive() { EXPECT_EQ(attach().ActiveDocument().Name(), u"Drawing1.dwg"_s); }

    static QByteArray lengthPrefix(std::uint32_t n) {
        QByteArray b(4, Qt::Uninitialized);
        qToLittleEndian(n, b.data());
        return b;
    }
};

TEST_F(RemoteMalformedInput, RandomBytesNeverEndTheServer) {
    std::mt19937 random(13);
    for (int round = 0; round < 40; ++round) {
        RawClient raw;
        ASSERT_TRUE(raw.connected());
        QByteArray junk(1 + random() % 2048, Qt::Uninitialized);
        for (char& c : junk) {
            c = static_cast<char>(random());
        }
        // Half the rounds frame their junk properly, so it reaches the decoder.
        raw.writeBytes(round % 2 ? frame(junk) : junk);
        raw.close();
    }
    expectServerAlive();
}

TEST_F(RemoteMalformedInput, AnOversizeLengthCutsTheConnection) {
    RawClient raw;
    raw.writeBytes(lengthPrefix(kMaxMessage + 1));
    EXPECT_TRUE(raw.waitForServerToClose());
    expectServerAlive();
}

TEST_F(RemoteMalformedInput, ATruncatedMessageFromAClientThatLeavesIsHarmless) {
    RawClient raw;
    raw.writeBytes(lengthPrefix(100) + QByteArray(10, 'x'));
    raw.close();
    expectServerAlive();
}

TEST_F(RemoteMalformedInput, GarbageInsideAFrameIsAnsweredWithAnErrorAndTheConnectionStays) {
    RawClient raw;
    raw.writeBytes(frame(QByteArray("\x63garbage", 8)));
    std::optional<Answer> refused = raw.answer();
    ASSERT_TRUE(refused.has_value());
    EXPECT_TRUE(refused->error.has_value());
    EXPECT_NE(raw.hello(), 0u);
}

TEST_F(RemoteMalformedInput, UnknownObjectsMembersAndKindsAreAnsweredWithErrors) {
    RawClient raw;
    const std::uint32_t acad = raw.hello();
    const auto unknownObject = raw.ask(getRequest(acad + 1000, u"Version"_s));
    ASSERT_TRUE(unknownObject && unknownObject->error);
    EXPECT_EQ(*unknownObject->error, u"对象编号无效"_s);
    const auto unknownMember = raw.ask(getRequest(acad, u"Explode"_s));
    ASSERT_TRUE(unknownMember && unknownMember->error);
    EXPECT_TRUE(unknownMember->error->contains(u"Explode"_s));
    // An id inside an argument is checked too.
    Request put = getRequest(acad, u"ActiveDocument"_s);
    put.kind = RequestKind::Put;
    put.values = {cad::Value(cad::ObjectRef(std::make_shared<IdTag>(4242)))};
    const auto badArgument = raw.ask(put);
    ASSERT_TRUE(badArgument && badArgument->error);
    EXPECT_EQ(*badArgument->error, u"对象编号无效"_s);
    // Member names match without regard to case, as late binding does.
    const auto version = raw.ask(getRequest(acad, u"vERSION"_s));
    ASSERT_TRUE(version && !version->error);
}

TEST_F(RemoteMalformedInput, CountsLargerThanTheMessageAreRefused) {
    RawClient raw;
    const std::uint32_t acad = raw.hello();
    Writer w;
    w.u8(static_cast<std::uint8_t>(RequestKind::Call));
    w.u32(9);
    w.u32(acad);
    w.text(u"Item"_s);
    w.u32(0xFFFFFFF0u);
    raw.writeBytes(frame(w.bytes()));
    std::optional<Answer> refused = raw.answer();
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->serial, 9u);
    EXPECT_TRUE(refused->error.has_value());
    expectServerAlive();
}

}  // namespace
}  // namespace remote_test
