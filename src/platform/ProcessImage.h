#pragma once

#include <string>

namespace tw {

// Replaces the running process by the program at `path`, with `argv` (argv[0] included, null-terminated) and the
// same environment, process id and standard streams. Returns only when that failed, with the system's reason.
// POSIX systems only: on Windows the program is one executable and nothing hands over.
std::string replaceProcessImage(const std::string& path, char* const argv[]);

} // namespace tw
