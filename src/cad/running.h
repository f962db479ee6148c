// Finding the running CAD application: the in-process registry first, then the platform.
#pragma once

#include <QString>
#include <functional>

#include "cad/automation.h"

namespace cad {

inline constexpr char16_t kAutoCadProgId[] = u"AutoCAD.Application";

// Tests and the script runner register an embedded application here; ProgIDs match without
// regard to case. A registered application is held until revoked.
void registerRunningObject(const QString& progId, ObjectRef application);
void revokeRunningObject(const QString& progId);
// Revokes whatever ProgID the object is registered under (an application that quits).
void revokeRunningObject(const Object* application);

// The platform's way of reaching a running application (a local socket, COM); it answers null
// when none runs. Installed once by the program's main().
using PlatformLocator = std::function<ObjectRef(const QString& progId)>;
void setPlatformLocator(PlatformLocator locator);

// Takes the running instance; never starts one. Throws cad::Error when none runs.
Application GetRunningApplication(const QString& progId);

}  // namespace cad
