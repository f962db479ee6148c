// Whether a call that a busy CAD refuses is waited for: operations wait until the CAD is free;
// the timer's check, which only asks whether the CAD is still there, never does.
#pragma once

#include "cad/error.h"

namespace cad {

// The failure of a call a busy CAD refused while no one waited: the CAD is there.
class CadBusy : public Error {
public:
    using Error::Error;
};

// While one lives on the thread, a call the CAD refuses as busy fails at once as CadBusy.
class NoBusyWait {
public:
    NoBusyWait();
    ~NoBusyWait();
    NoBusyWait(const NoBusyWait&) = delete;
    NoBusyWait& operator=(const NoBusyWait&) = delete;
};

// False while a NoBusyWait lives on this thread.
bool waitsForBusyCad();

}  // namespace cad
