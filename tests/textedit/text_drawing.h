// The operation tests' fixture: an embedded drawing, the link attached to it, a recording Ui.
#pragma once

#include <gtest/gtest.h>

#include "cad/cad_link.h"
#include "cad/memory/application.h"
#include "core/colors.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"

namespace textedit_test {

using namespace Qt::StringLiterals;

class TextDrawing : public ::testing::Test {
protected:
    TextDrawing() {
        link.objAcad = cad::Application(app);
        doc->addLayer(u"照明"_s);
        doc->addTextStyle(u"仿宋"_s, u"fsdb.shx"_s, u"hztxt.shx"_s);
    }

    cad::Entity text(const QString& s, double height = 3.5) const {
        return ms.AddText(s, {}, height);
    }
    cad::Entity mtext(const QString& s) const { return ms.AddMtext({}, 100, s); }
    cad::Entity line() const { return ms.AddLine({}, {10, 0, 0}); }

    // The next on-screen selection picks these entities, in this order.
    void willPick(std::initializer_list<cad::Entity> entities) const {
        QStringList handles;
        for (const cad::Entity& e : entities) {
            handles.append(e.Handle());
        }
        app->script().queueObjects(handles);
    }

    // Every hint written after the progress hints: what the user is left reading.
    QStringList hintsWithoutProgress() const {
        QStringList hints = ui.hints;
        hints.removeIf([](const QString& h) { return h.startsWith(u"提示：修改完成"_s); });
        return hints;
    }

    bool selectionSetsLeft() const { return !doc->selectionSets().empty(); }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> doc = app->newDocument(u"Drawing1.dwg"_s);
    cad::ModelSpace ms = cad::Application(app).ActiveDocument().ModelSpace();
    ui::RecordingUi ui;
    cad::CadLink link{ui};
    core::ColorRule colorRule;
};

}  // namespace textedit_test
