// NoBusyWait: a depth per thread.
#include "cad/busy_wait.h"

namespace cad {

namespace {
thread_local int t_noWait = 0;
}

NoBusyWait::NoBusyWait() {
    ++t_noWait;
}

NoBusyWait::~NoBusyWait() {
    --t_noWait;
}

bool waitsForBusyCad() {
    return t_noWait == 0;
}

}  // namespace cad
