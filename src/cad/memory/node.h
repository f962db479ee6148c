// The base of every object of the embedded drawing: each call first checks that the object,
// its document and its application can still answer, and counts the call for the fault switch.
#pragma once

#include <QString>
#include <memory>

#include "cad/value.h"

namespace cad::memory {

class Document;

// State shared by an application and everything in it.
struct Session {
    bool running = true;  // false once the application quit or was destroyed
    qint64 calls = 0;     // automation calls answered or refused so far
    qint64 failAt = 0;    // the call number that fails; 0 for none

    void checkRunning() const {
        if (!running) {
            throw Error(QStringLiteral("自动化服务器不可用"));
        }
    }
    void enter() {
        checkRunning();
        if (++calls == failAt) {
            failAt = 0;
            throw Error(QStringLiteral("自动化调用失败（故障注入）"));
        }
    }
};

class Node : public Object {
public:
    Value Get(Member m) final {
        enter();
        return get(m);
    }
    void Put(Member m, const Value& value) final {
        enter();
        put(m, value);
    }
    Value Call(Member m, std::span<const Value> args) final {
        enter();
        return call(m, args);
    }

protected:
    virtual void enter() = 0;
    virtual Value get(Member m) { noSuchMember(m); }
    virtual void put(Member m, const Value&) { noSuchMember(m); }
    virtual Value call(Member m, std::span<const Value>) { noSuchMember(m); }

    static const Value& arg(std::span<const Value> args, std::size_t i) {
        if (i >= args.size()) {
            throw Error(QStringLiteral("参数个数不对"));
        }
        return args[i];
    }
};

// An object that belongs to one document. The document detaches it when it erases it or when the
// document itself goes; a detached object refuses every call. Undoing an erase attaches the same
// object again, so whoever kept it (a file's record, a selection) sees it come back.
class DocNode : public Node, public std::enable_shared_from_this<DocNode> {
public:
    explicit DocNode(Document* document) : m_document(document) {}

    Document* document() const { return m_document; }
    void detach() { m_document = nullptr; }
    void attach(Document* document) { m_document = document; }
    // Refuses as a call would when the object was erased, its document closed or the
    // application quit, but counts no call. Needed after a pick: the user, and other programs
    // meanwhile, may have changed anything.
    void checkAvailable() const;

protected:
    void enter() override;
    Document& doc() const { return *m_document; }

private:
    Document* m_document;
};

}  // namespace cad::memory
