// The script runner: `elecaide --script FILE [--trace] [--served [com]]`.
#pragma once

#include <QString>
#include <QTextStream>

namespace shell::script {

enum ExitStatus : int { kAllHeld = 0, kExpectationFailed = 1, kScriptError = 2 };

// Where the script's drawing lives for the pages. Served, it is behind a server of the run's own,
// as sketchcad serves it, and the window attaches to it there: every call the pages make crosses
// the automation protocol (on a local socket) or COM's marshalling (Windows: a class of the run's
// own in the running object table, served on a thread of its own).
enum class Served { No, OnSocket, OverCom };

struct ScriptOptions {
    bool trace = false;
    Served served = Served::No;
};

// Runs the script at path against the real main window, with an embedded drawing and scripted
// picks and answers. Prints `hint: TEXT` after every command (and with trace every hint written
// while it ran as `trace: TEXT`), `handle: H` for entities added, and `FAIL line N: …` for each
// expectation that did not hold; a script that cannot run is reported on err with its line.
// Needs a QApplication.
int runScript(const QString& path, const ScriptOptions& options, QTextStream& out,
              QTextStream& err);

}  // namespace shell::script
