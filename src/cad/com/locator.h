// Finding the running CAD through COM: the ProgIDs tried, in the settings file beside the program.
#pragma once

#include <QStringList>

#include "cad/com/busy_filter.h"
#include "cad/value.h"

namespace cad::com {

// The `[cad]` section of the settings file: which programs to look for, first found wins, and
// how long a busy CAD is waited for.
struct LocatorSettings {
    QStringList progIds;
    RetryPolicy retry;
};

// AutoCAD, then the compatible programs common among Chinese drafters (ZWCAD, GstarCAD under both
// its names, BricsCAD), then sketchcad.
QStringList defaultProgIds();

// Reads `ProgIDs` (a comma-separated list) and `BusyWaitSeconds` from the `[cad]` section of the
// INI file; what is missing or unusable keeps its default. A missing file gives the defaults.
LocatorSettings readLocatorSettings(const QString& iniPath);

// The application running under the class in the running object table; null when none runs.
ObjectRef attachRunning(const CLSID& clsid, const RetryPolicy& retry,
                        const std::function<void()>& onWaiting);

// The running application of the first ProgID of the list that has one in the running object
// table (CLSIDFromProgID, then GetActiveObject); null when none runs.
ObjectRef findRunning(const QStringList& progIds, const RetryPolicy& retry,
                      const std::function<void()>& onWaiting);

// Makes COM the way GetRunningApplication finds a CAD on this thread, the GUI thread: joins a
// single-threaded apartment and installs the busy filter. Asked for "AutoCAD.Application" it
// tries the settings' list; asked for another ProgID, that one alone.
void installComLocator(LocatorSettings settings, std::function<void()> onWaiting);

// Likewise for a drawing served under a class of the caller's own (a served script run): every
// ProgID finds the application running under that class.
void installClassLocator(const CLSID& clsid);

}  // namespace cad::com
