#pragma once

#include "platform/Resolver.h"

#include <functional>
#include <map>
#include <mutex>

namespace tw {

// Answers from two tables; unknown names and addresses fail as the system's lookups do.
class FakeResolver final : public Resolver {
public:
    std::map<std::string, Ipv4Address> addresses;
    std::map<Ipv4Address, std::string> names;
    // Runs at the start of every lookup, on the caller's thread, e.g. to hold it as a slow resolver would.
    std::function<void()> onLookup;

    std::optional<Ipv4Address> addressOf(const std::string& hostName) override {
        if (onLookup) {
            onLookup();
        }
        std::lock_guard lock(m_mutex);
        ++forwardLookups;
        const auto it = addresses.find(hostName);
        return it == addresses.end() ? std::nullopt : std::optional<Ipv4Address>(it->second);
    }
    std::string nameOf(const Ipv4Address& address) override {
        if (onLookup) {
            onLookup();
        }
        std::lock_guard lock(m_mutex);
        ++reverseLookups;
        const auto it = names.find(address);
        return it == names.end() ? std::string() : it->second;
    }

    int forwardLookups = 0;
    int reverseLookups = 0;

private:
    std::mutex m_mutex;
};

} // namespace tw
