#pragma once

#include "platform/StartupEntry.h"

namespace tw {

// Start-up entry held in memory; failure can be scripted.
class FakeStartupEntry final : public StartupEntry {
public:
    bool set = false;
    std::string failureText; // returned by setStartUp, without any change, when not empty
    int setCalls = 0;

    bool isStartUpSet() const override { return set; }
    std::string setStartUp(bool enable) override {
        ++setCalls;
        if (!failureText.empty()) {
            return failureText;
        }
        set = enable;
        return "1";
    }
};

} // namespace tw
