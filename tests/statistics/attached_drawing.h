// A running embedded CAD with one drawing, attached through a CadLink that reports to a
// recording Ui: the setting of every statistics test that talks to the CAD.
#pragma once

#include <gtest/gtest.h>

#include "cad/cad_link.h"
#include "cad/memory/application.h"
#include "cad/running.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"

namespace statistics_test {

class AttachedDrawing : public ::testing::Test {
protected:
    AttachedDrawing() {
        cad::registerRunningObject(QString::fromUtf16(cad::kAutoCadProgId), app);
        link.AttachCad();
    }
    ~AttachedDrawing() override {
        cad::revokeRunningObject(QString::fromUtf16(cad::kAutoCadProgId));
    }

    // Picks the entities at the next on-screen selection.
    void pickOnScreen(const std::vector<cad::Entity>& entities) {
        QStringList handles;
        for (const cad::Entity& e : entities) {
            handles.append(e.Handle());
        }
        app->script().queueObjects(handles);
    }
    bool selectionSetLeft() const { return !doc->selectionSets().empty(); }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> doc = app->newDocument(QStringLiteral("plan.dwg"));
    cad::Document document = cad::Application(app).ActiveDocument();
    cad::ModelSpace ms = document.ModelSpace();
    ui::RecordingUi ui;
    cad::CadLink link{ui};
};

}  // namespace statistics_test
