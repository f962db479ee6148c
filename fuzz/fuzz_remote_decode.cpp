// libFuzzer entry: any bytes as the message stream of one automation client, served by the
// server's request handler over a small drawing, and read by the client's answer decoder.
#include "cad/memory/application.h"
#include "cad/remote/frame.h"
#include "cad/remote/request_handler.h"
#include "cad/running.h"

#include <cstdint>

namespace {

// Ids as the client would see them, without a connection behind them.
class Tags : public cad::remote::ObjectIds {
public:
    std::uint32_t idOf(const cad::ObjectRef&) override { return 0; }
    cad::ObjectRef objectOf(std::uint32_t) override { return m_any; }

private:
    cad::ObjectRef m_any = cad::memory::Application::create();
};

// Hands out the application, its document and model space as ids 1, 2 and 3, so the input can
// reach real objects.
void greet(cad::remote::RequestHandler& handler) {
    using namespace cad::remote;
    Tags tags;
    Request r;
    r.kind = RequestKind::Hello;
    r.name = QString::fromUtf16(cad::kAutoCadProgId);
    handler.answer(encodeRequest(r, tags));
    r.kind = RequestKind::Get;
    r.object = 1;
    r.name = QStringLiteral("ActiveDocument");
    handler.answer(encodeRequest(r, tags));
    r.object = 2;
    r.name = QStringLiteral("ModelSpace");
    handler.answer(encodeRequest(r, tags));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto application = cad::memory::Application::create();
    application->newDocument(QStringLiteral("fuzz.dwg"))
        ->Get(cad::Member::ModelSpace)
        .toObject()
        ->Call(cad::Member::AddLine, std::vector<cad::Value>{cad::Point{}, cad::Point{1, 1, 0}});
    cad::remote::RequestHandler handler(application, QString::fromUtf16(cad::kAutoCadProgId));
    greet(handler);

    cad::remote::FrameBuffer frames;
    frames.append(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    Tags tags;
    while (std::optional<QByteArray> payload = frames.next()) {
        handler.answer(*payload);
        cad::remote::Reader reader(*payload);
        cad::remote::decodeAnswer(reader, tags);
    }
    return 0;
}
