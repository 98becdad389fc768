// The program's command line. Options that do their job without a window (--table, --help,
// --version, ...) are handled here with the core alone; anything else is left to the window.
#pragma once

#include <optional>

namespace CommandLine {

// The exit status when the arguments were a command-line job, nullopt when the window should
// start (no option, or a file to open).
std::optional<int> run(int argc, char** argv);

} // namespace CommandLine
