#pragma once

#include <memory>
#include <string>

namespace twtest {

// Sends the start-up entries of this process to a private place for the life of the object (a temporary autostart
// folder on Linux, redirected registry roots on Windows), so the tests never touch the user's real entries.
class StartupSandbox {
public:
    StartupSandbox();
    ~StartupSandbox();
    StartupSandbox(const StartupSandbox&) = delete;
    StartupSandbox& operator=(const StartupSandbox&) = delete;

    // Leaves an entry the way older versions stored it: the path unquoted (on Windows, under the machine-wide key).
    void plantLegacyEntry(const std::string& executable, const std::string& extraSwitches = "");
    // The command line the current user's entry holds (on Windows, under the user's own key only); empty if none.
    std::string userEntryCommand() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace twtest
