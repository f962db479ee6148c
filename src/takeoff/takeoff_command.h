// `elecaide takeoff [OPTIONS] PATH...`: the take-off of a drawing set from the command line.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace takeoff {

inline constexpr int kAllTakenOff = 0;
inline constexpr int kSomeFailed = 1;  // drawings that did not load, or a report not written
inline constexpr int kBadArguments = 2;

// The command line of a take-off with these arguments, as a terminal takes it (arguments with
// blanks in double quotes), for the report's header.
QString commandLine(const QStringList& arguments);

// Runs the take-off for the arguments after "takeoff". The outcome goes to out, failures and
// the progress line to err; the progress line is drawn only when err is a terminal.
int runTakeoffCommand(const QStringList& arguments, QTextStream& out, QTextStream& err,
                      bool errIsTerminal);

}  // namespace takeoff
