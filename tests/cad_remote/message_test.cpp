// The wire format on its own: values, requests and frames.
#include <gtest/gtest.h>

#include "cad/remote/frame.h"
#include "cad/remote/message.h"
#include "raw_client.h"
#include "server_thread.h"
#include "support/qstring_printer.h"

namespace remote_test {
namespace {

using namespace Qt::StringLiterals;
using namespace cad::remote;

cad::Value roundTrip(const cad::Value& v) {
    TagIds ids;
    Writer w;
    writeValue(w, v, ids);
    Reader r(w.bytes());
    cad::Value back = readValue(r, ids);
    EXPECT_FALSE(r.failed()) << r.failure().toStdString();
    EXPECT_TRUE(r.atEnd());
    return back;
}

std::uint32_t tagOf(const cad::ObjectRef& o) {
    return static_cast<const IdTag&>(*o).id;
}

TEST(WireValues, EveryKindRoundTrips) {
    EXPECT_TRUE(roundTrip({}).isEmpty());
    EXPECT_EQ(roundTrip(true), cad::Value(true));
    EXPECT_EQ(roundTrip(-7), cad::Value(-7));
    EXPECT_EQ(roundTrip(2.5e-300), cad::Value(2.5e-300));
    EXPECT_EQ(roundTrip(u"文字 \\P ☃"_s), cad::Value(u"文字 \\P ☃"_s));
    EXPECT_EQ(roundTrip(cad::Point{1, -2, 3.5}), cad::Value(cad::Point{1, -2, 3.5}));
    EXPECT_EQ(roundTrip(std::vector<double>{1, 2, 3, 4}),
              cad::Value(std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(tagOf(roundTrip(cad::ObjectRef(std::make_shared<IdTag>(5))).toObject()), 5u);
    const cad::Value unset = roundTrip(cad::ObjectRef());
    EXPECT_TRUE(unset.holds<cad::ObjectRef>());
    EXPECT_THROW(unset.toObject(), cad::Error);
    const cad::ObjectList list{std::make_shared<IdTag>(8), std::make_shared<IdTag>(9)};
    const cad::ObjectList back = roundTrip(list).toObjects();
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(tagOf(back[1]), 9u);
}

TEST(WireValues, AnUnknownTagOrBadBooleanFails) {
    TagIds ids;
    for (const QByteArray& bytes : {QByteArray("\x09", 1), QByteArray("\x01\x02", 2)}) {
        Reader r(bytes);
        readValue(r, ids);
        EXPECT_TRUE(r.failed());
    }
}

Request sampleCall() {
    Request r;
    r.kind = RequestKind::Call;
    r.serial = 41;
    r.object = 3;
    r.name = u"AddSpline"_s;
    r.values = {cad::Value(std::vector<double>{0, 0, 0, 1, 1, 0}), cad::Value(cad::Point{1, 0, 0}),
                cad::Value(u"x"_s)};
    return r;
}

TEST(WireRequests, ACallRoundTrips) {
    TagIds ids;
    const QByteArray bytes = encodeRequest(sampleCall(), ids);
    Reader r(bytes);
    const Request back = decodeRequest(r, ids);
    ASSERT_FALSE(r.failed());
    EXPECT_EQ(back.kind, RequestKind::Call);
    EXPECT_EQ(back.serial, 41u);
    EXPECT_EQ(back.object, 3u);
    EXPECT_EQ(back.name, u"AddSpline"_s);
    EXPECT_EQ(back.values, sampleCall().values);
}

TEST(WireRequests, EveryTruncationAndAnyTrailingByteIsRefused) {
    TagIds ids;
    const QByteArray bytes = encodeRequest(sampleCall(), ids);
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        Reader r(QByteArrayView(bytes).first(n));
        decodeRequest(r, ids);
        EXPECT_TRUE(r.failed()) << "prefix of " << n << " bytes";
    }
    const QByteArray trailing = bytes + 'x';
    Reader r(trailing);
    decodeRequest(r, ids);
    EXPECT_TRUE(r.failed());
}

TEST(WireRequests, TooManyArgumentsAreRefused) {
    TagIds ids;
    Request r = sampleCall();
    r.values.assign(kMaxArguments + 1, cad::Value(1));
    const QByteArray bytes = encodeRequest(r, ids);
    Reader reader(bytes);
    decodeRequest(reader, ids);
    EXPECT_TRUE(reader.failed());
}

TEST(Frames, MessagesAreCutOutWhateverPiecesTheyArriveIn) {
    const QByteArray stream = frame("one") + frame("") + frame("three");
    FrameBuffer buffer;
    QList<QByteArray> got;
    for (char c : stream) {
        buffer.append(QByteArray(1, c));
        while (std::optional<QByteArray> m = buffer.next()) {
            got.append(*m);
        }
    }
    EXPECT_EQ(got, (QList<QByteArray>{"one", "", "three"}));
    EXPECT_EQ(buffer.pending(), 0);
}

TEST(Frames, ALengthAboveTheCapIsFlagged) {
    FrameBuffer buffer;
    buffer.append(QByteArray("\x01\x00\x00\x01", 4));
    EXPECT_FALSE(buffer.next().has_value());
    EXPECT_TRUE(buffer.oversize());
}

}  // namespace
}  // namespace remote_test
