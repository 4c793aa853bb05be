#pragma once

#include <memory>
#include <string>

namespace tw {

// Whether the program starts with the user's desktop session, and the switch to change it.
class StartupEntry {
public:
    virtual ~StartupEntry() = default;

    // True when the stored entry starts this executable with "-winStartUp" (further switches may follow).
    virtual bool isStartUpSet() const = 0;
    // "1" on success; otherwise the error text to show, every line ending with CR LF. Disabling leaves an entry
    // that starts another copy of the program alone and succeeds.
    virtual std::string setStartUp(bool enable) = 0;
};

// The entry of the executable at executablePath (absolute), stored where this platform keeps start-up entries.
std::unique_ptr<StartupEntry> makeStartupEntry(const std::string& executablePath);

inline constexpr const char* kStartUpSwitch = "-winStartUp";

} // namespace tw
