#pragma once

#include "platform/LinkDisconnector.h"

#include <set>

namespace tw {

// Disconnects in memory: every link asked for is recorded; those in `refused` are not disconnected.
class FakeLinkDisconnector final : public LinkDisconnector {
public:
    std::vector<std::vector<std::string>> calls;
    std::set<std::string> refused;

    std::vector<DisconnectOutcome> disconnect(const std::vector<std::string>& links) override {
        calls.push_back(links);
        std::vector<DisconnectOutcome> outcomes;
        for (const std::string& link : links) {
            if (refused.count(link) != 0) {
                outcomes.push_back({link, false, notDisconnectedText(link, "Operation not permitted")});
            } else {
                outcomes.push_back({link, true, disconnectedText(link)});
            }
        }
        return outcomes;
    }
};

} // namespace tw
