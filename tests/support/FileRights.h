#pragma once

#include <functional>

namespace twtest {

// Runs the action with the file rights of a user who owns nothing in the test's folders, so a file without read
// permission cannot be read (root otherwise reads every file). False, without running it, where the system has no
// such per-thread rights.
bool withoutOwnersFileRights(const std::function<void()>& action);

} // namespace twtest
