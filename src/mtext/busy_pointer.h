// BusyPointer: the busy mouse pointer for as long as a piece of work runs, whichever way it ends.
#pragma once

#include "ui/ui.h"

namespace mtext {

class BusyPointer {
public:
    explicit BusyPointer(ui::Ui& ui) : m_ui(ui) { m_ui.setPointer(ui::Pointer::Busy); }
    ~BusyPointer() { m_ui.setPointer(ui::Pointer::Default); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    ui::Ui& m_ui;
};

}  // namespace mtext
