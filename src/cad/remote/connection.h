// The client's connection to the automation server: one request at a time, waited for.
#pragma once

#include <QLocalSocket>
#include <memory>
#include <vector>

#include "cad/remote/frame.h"
#include "cad/remote/message.h"

namespace cad::remote {

// The assistant has one thread. An ordinary request blocks it until the answer has come,
// reading the socket with waitForReadyRead, and gives up after a generous time. A pick waits as
// long as the user takes, for as long as the server is there, in an event loop that keeps the
// window painted while the user's input to it is held back (InputHold); requests made by what
// that loop runs are refused.
class Connection : public ObjectIds, public std::enable_shared_from_this<Connection> {
public:
    // Connected to the socket at path, or null when nobody answers there.
    static std::shared_ptr<Connection> open(const QString& path);
    Connection() = default;

    // Sends the request and gives the answer's value. Throws cad::Error with the server's
    // message when the call failed there, or when the server is gone or misbehaves (the
    // connection is then closed for good).
    Value request(Request request);
    // Hands an object id back; sent with the next request, or sooner when many gather.
    void release(std::uint32_t id);

    // Item index of a collection. Walks go by index, so items are fetched in ranges together
    // with the members read on earlier items, and served from there until something could have
    // changed them: any write or call (forgetPrefetched) or the event loop running.
    Value item(std::uint32_t collection, int index);
    void forgetPrefetched();
    // What was prefetched is current while the generation is.
    std::uint64_t generation() const { return m_generation; }
    // A member read on a prefetched item that the range did not carry: the next range will.
    void noteWanted(Member m);

    // Requests sent over every connection of the process (benchmarks count a walk's trips).
    static std::uint64_t requestsSent();

    std::uint32_t idOf(const ObjectRef& object) override;
    ObjectRef objectOf(std::uint32_t id) override;

private:
    struct Range {
        std::uint32_t collection = 0;
        int first = 0;
        std::vector<Value> items;
    };

    Answer exchange(Request request);
    enum class Wait : std::uint8_t { Blocking, EventLoop };
    Answer awaitUser(std::uint32_t serial);
    Answer awaitAnswer(std::uint32_t serial, Wait wait);
    void runEventLoopUntilReadable();
    [[noreturn]] void fail(const QString& why);
    QByteArray takeReleases();
    void sendReleases();

    QLocalSocket m_socket;
    FrameBuffer m_frames;
    std::uint32_t m_serial = 0;
    std::vector<std::uint32_t> m_released;
    bool m_releaseScheduled = false;
    Range m_range;
    std::uint64_t m_generation = 1;
    std::vector<Member> m_wanted{Member::EntityName, Member::Layer};
    int m_rangeSize = kFirstRange;
    bool m_forgetScheduled = false;
    bool m_waitingForUser = false;

    static constexpr int kFirstRange = 16;
    static constexpr int kLongestRange = 1024;
};

}  // namespace cad::remote
