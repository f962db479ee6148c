// Writes the seeds of fuzz_remote_decode into a folder: message streams a client sends over the
// drawing the target serves (application, document and model space as ids 1, 2 and 3; objects
// first handed out after them as 4, 5, ...) and answers a server gives.
#include "cad/remote/frame.h"
#include "cad/remote/message.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

using namespace cad::remote;
using cad::Point;
using cad::Value;

// An object that stands for an id on the wire.
class Id : public cad::Object {
public:
    explicit Id(std::uint32_t id) : id(id) {}
    cad::Value Get(cad::Member) override { return {}; }
    void Put(cad::Member, const cad::Value&) override {}
    cad::Value Call(cad::Member, std::span<const cad::Value>) override { return {}; }
    std::uint32_t id;
};

class Ids : public ObjectIds {
public:
    std::uint32_t idOf(const cad::ObjectRef& object) override {
        return object ? static_cast<Id&>(*object).id : 0;
    }
    cad::ObjectRef objectOf(std::uint32_t id) override { return std::make_shared<Id>(id); }
};

Value object(std::uint32_t id) {
    return cad::ObjectRef(std::make_shared<Id>(id));
}

class Stream {
public:
    Stream& get(std::uint32_t id, const char16_t* member) {
        return add(RequestKind::Get, id, member, {});
    }
    Stream& put(std::uint32_t id, const char16_t* member, Value v) {
        return add(RequestKind::Put, id, member, {std::move(v)});
    }
    Stream& call(std::uint32_t id, const char16_t* member, std::vector<Value> args = {}) {
        return add(RequestKind::Call, id, member, std::move(args));
    }
    Stream& hello() { return add(RequestKind::Hello, 0, u"AutoCAD.Application", {}); }
    Stream& release(std::vector<std::uint32_t> ids) {
        Request r;
        r.kind = RequestKind::Release;
        r.released = std::move(ids);
        return add(r);
    }
    Stream& range(std::uint32_t collection, std::int32_t first, std::uint32_t count,
                  QStringList members) {
        Request r;
        r.kind = RequestKind::ItemRange;
        r.object = collection;
        r.first = first;
        r.count = count;
        r.members = std::move(members);
        return add(r);
    }
    Stream& answer(const Answer& a) {
        m_bytes += frame(encodeAnswer(a, m_ids));
        return *this;
    }
    bool write(const QDir& dir, const char* name) const {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::WriteOnly) && file.write(m_bytes) == m_bytes.size();
    }

private:
    Stream& add(RequestKind kind, std::uint32_t id, const char16_t* member, std::vector<Value> v) {
        Request r;
        r.kind = kind;
        r.object = id;
        r.name = QString::fromUtf16(member);
        r.values = std::move(v);
        return add(r);
    }
    Stream& add(Request r) {
        r.serial = ++m_serial;
        m_bytes += frame(encodeRequest(r, m_ids));
        return *this;
    }

    Ids m_ids;
    QByteArray m_bytes;
    std::uint32_t m_serial = 3;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: remote_seeds FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        return 1;
    }
    const Value origin = Point{};
    const QStringList walked = {QStringLiteral("EntityName"), QStringLiteral("Layer"),
                                QStringLiteral("TextString")};
    bool ok = true;
    ok &= Stream()
              .range(3, 0, 16, walked)
              .get(4, u"Handle")
              .get(4, u"StartPoint")
              .range(3, 1, 64, walked)
              .write(dir, "walk");
    ok &= Stream()
              .call(3, u"AddText", {QStringLiteral("12"), origin, 2.5})
              .put(4, u"TextString", QStringLiteral("13"))
              .put(4, u"Height", 5.0)
              .put(4, u"Rotation", 0.5)
              .call(4, u"Update")
              .call(4, u"Delete")
              .get(4, u"Handle")
              .release({4})
              .write(dir, "edit");
    ok &= Stream()
              .get(2, u"Layers")
              .call(4, u"Add", {QStringLiteral("照明")})
              .put(5, u"Color", 3)
              .put(5, u"Lock", true)
              .get(2, u"TextStyles")
              .call(6, u"Item", {0})
              .put(2, u"ActiveTextStyle", object(7))
              .call(7, u"Delete")
              .get(2, u"Linetypes")
              .call(8, u"Load", {QStringLiteral("CENTER"), QStringLiteral("acad.lin")})
              .write(dir, "tables");
    ok &= Stream()
              .call(2, u"StartUndoMark")
              .call(2, u"SetVariable", {QStringLiteral("CLAYER"), QStringLiteral("0")})
              .call(2, u"SetVariable", {QStringLiteral("MODEMACRO"), QStringLiteral("正在数块")})
              .call(2, u"GetVariable", {QStringLiteral("MODEMACRO")})
              .call(3, u"AddCircle", {origin, 1.0})
              .call(2, u"EndUndoMark")
              .call(2, u"Save")
              .call(2, u"SaveAs", {QStringLiteral("/nonexistent/plan.dxf")})
              .write(dir, "variables");
    ok &=
        Stream()
            .get(2, u"SelectionSets")
            .call(4, u"Add", {QStringLiteral("SelPart")})
            .call(5, u"SelectOnScreen")
            .get(5, u"Count")
            .call(5, u"Delete")
            .get(2, u"Utility")
            .call(6, u"GetPoint", {Value(), QStringLiteral("指定点:")})
            .call(3, u"AddSpline", {std::vector<double>{0, 0, 0, 1, 1, 0, 2, 0, 0}, origin, origin})
            .write(dir, "picks");
    ok &= Stream()
              .hello()
              .get(1, u"Documents")
              .call(4, u"Item", {0})
              .get(99, u"Name")
              .get(1, u"NoSuchMember")
              .call(2, u"Close")
              .get(2, u"Name")
              .call(1, u"Quit")
              .write(dir, "session");
    Answer value{5, QStringLiteral("Drawing1.dwg"), std::nullopt, {}};
    Answer failure{6, {}, QStringLiteral("找不到名称"), {}};
    Answer objects{7, cad::ObjectList{object(4).toObject(), object(5).toObject()}, {}, {}};
    Answer records{8, {}, std::nullopt, {}};
    records.records.push_back(
        {object(4), {{QStringLiteral("AcDbText"), {}}, {{}, QStringLiteral("无此成员")}}});
    records.records.push_back(
        {object(5), {{QStringLiteral("AcDbLine"), {}}, {QStringLiteral("0"), {}}}});
    ok &= Stream().answer(value).answer(failure).answer(objects).answer(records).write(dir,
                                                                                       "answers");
    return ok ? 0 : 1;
}
