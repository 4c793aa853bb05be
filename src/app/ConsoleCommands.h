#pragma once

#include "app/CommandLine.h"

#include <iosfwd>

namespace tw {

// The commands that print something and end without a window (--help, --version, --export, --report, a usage
// error). They live in core code, so that the `tallywave` command runs them without loading the window program's
// libraries; the window program runs them too when it is started with one.
//
// One table in ConsoleCommands.cpp lists them: a new command adds its option to CommandLineOptions and one row.
bool isConsoleCommand(const CommandLineOptions& options);
// Runs the command the options ask for; returns the process exit code.
int runConsoleCommand(const CommandLineOptions& options, std::ostream& out, std::ostream& err);

} // namespace tw
