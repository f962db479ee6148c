// Small drawings for the sketchcad tests, built straight into the embedded drawing.
#pragma once

#include <initializer_list>
#include <memory>
#include <utility>

#include "cad/memory/application.h"

namespace sketchcad_test {

using Values = std::initializer_list<std::pair<cad::Member, cad::Value>>;

struct TestDrawing {
    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> doc = app->newDocument(QStringLiteral("test.dwg"));

    // An entity of the kind with the values given, appended to the block (model space when
    // none is given).
    cad::memory::Entity& add(const cad::memory::KindSpec& kind, Values values,
                             cad::memory::BlockRecord* block = nullptr) {
        auto e = doc->makeEntity(kind);
        for (const auto& [member, value] : values) {
            e->setValue(member, value);
        }
        return (block ? *block : doc->modelSpace()).append(std::move(e));
    }
    cad::memory::Entity& line(double x1, double y1, double x2, double y2, Values more = {}) {
        auto& e = add(cad::memory::kinds::line(), {{cad::Member::StartPoint, cad::Point{x1, y1, 0}},
                                                   {cad::Member::EndPoint, cad::Point{x2, y2, 0}}});
        for (const auto& [member, value] : more) {
            e.setValue(member, value);
        }
        return e;
    }
};

}  // namespace sketchcad_test
