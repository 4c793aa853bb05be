#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tw {

// On Linux the program is two executables: `tallywave`, the command users, menus and the login entry start, which
// runs the console commands itself (without the window libraries), and `tallywave-gui`, the window program it hands
// every other start to. A built or unpacked copy keeps both in one folder; an installed copy keeps the window program
// in libexec. On Windows `tallywave.exe` is both.
inline constexpr std::string_view kCommandFileName = "tallywave";
inline constexpr std::string_view kWindowProgramFileName = "tallywave-gui";

using FileExists = std::function<bool(const std::string& path)>;

// The window program for the command at commandPath: beside it, else where the install step puts it. Empty when
// there is none.
std::string windowProgramPathFor(const std::string& commandPath, const FileExists& exists);
// The command that starts the executable at executablePath (what a login entry must run): for the window program
// the `tallywave` beside it or in the installed bin folder; for any other executable, or when there is no such
// command, the executable itself.
std::string commandPathFor(const std::string& executablePath, const FileExists& exists);

// The same for the running process, on the real file system.
std::string commandPathOfThisProcess();

} // namespace tw
