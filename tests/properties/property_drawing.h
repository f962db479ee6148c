// An embedded drawing attached through a CadLink, as every property operation test starts.
#pragma once

#include <gtest/gtest.h>

#include "cad/cad_link.h"
#include "cad/memory/application.h"
#include "cad/running.h"
#include "support/qstring_printer.h"
#include "ui/recording_ui.h"

class PropertyDrawingTest : public ::testing::Test {
protected:
    PropertyDrawingTest() {
        cad::registerRunningObject(progId(), app);
        link.AttachCad();
    }
    ~PropertyDrawingTest() override { cad::revokeRunningObject(progId()); }

    static QString progId() { return QString::fromUtf16(cad::kAutoCadProgId); }

    cad::Entity addLine(int color) {
        const cad::Entity line = ms.AddLine({}, {1, 1, 0});
        line.Color(color);
        return line;
    }

    std::shared_ptr<cad::memory::Application> app = cad::memory::Application::create();
    std::shared_ptr<cad::memory::Document> doc = app->newDocument(QStringLiteral("Drawing1.dwg"));
    cad::ModelSpace ms = cad::Application(app).ActiveDocument().ModelSpace();
    ui::RecordingUi ui;
    cad::CadLink link{ui};
};
