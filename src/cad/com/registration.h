// A COM server's class in the user's own part of the registry, where no administrator is needed.
#pragma once

#include <windows.h>

#include <QString>
#include <optional>

namespace cad::com {

// Writes HKCU\Software\Classes: the ProgID's CLSID and the class's ProgID, which is what a
// client needs to find the running server in the running object table. No local server is
// written: nothing starts the program through COM (the assistant only attaches). Under Wine, whose
// COM reads the machine's classes only, the same goes to HKLM\Software\Classes of the prefix as
// well. nullopt on success, else why not.
std::optional<QString> registerForUser(const QString& progId, const CLSID& clsid);

}  // namespace cad::com
