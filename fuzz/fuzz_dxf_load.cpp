// libFuzzer entry: any bytes through the DXF loader, and what loads through the saver too.
#include "dxf/drawing.h"
#include "dxf/reader.h"
#include "dxf/writer.h"

#include "cad/memory/application.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto application = cad::memory::Application::create();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    auto loaded = dxf::loadDrawingBytes(*application, bytes, QStringLiteral("fuzz.dxf"));
    if (!loaded.ok())
        return 0;
    // Unchanged, the drawing writes back what the tag layer alone writes (the bytes themselves
    // when the file's layout is regular).
    const auto tags = dxf::readBytes(bytes, QStringLiteral("fuzz.dxf"));
    if (!tags.ok() || dxf::drawingBytes(*loaded.value()) != dxf::writeBytes(tags.value()))
        std::abort();
    return 0;
}
