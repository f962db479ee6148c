// A PageHost for page tests: runs handlers straight through, answers from a recording Ui.
#pragma once

#include "cad/cad_link.h"
#include "pagekit/page_host.h"
#include "ui/recording_ui.h"

namespace support {

class TestPageHost : public pagekit::PageHost {
public:
    ui::Ui& ui() const override { return recording; }
    cad::CadLink& cadLink() const override { return link; }
    core::ColorRule& colorRule() override { return rule; }
    void handle(const std::function<void()>& handler) override { handler(); }

    mutable ui::RecordingUi recording;
    mutable cad::CadLink link{recording};
    core::ColorRule rule;
};

}  // namespace support
