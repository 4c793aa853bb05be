#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tw {

// What became of one link.
struct DisconnectOutcome {
    std::string link;
    bool disconnected = false;
    std::string text; // "Disconnected eth0", or why not: "eth0 was not disconnected: ..."
};

// Takes links off the network, for the user who pays by the byte and has reached the limit.
class LinkDisconnector {
public:
    virtual ~LinkDisconnector() = default;
    // One outcome per link, in the order given.
    virtual std::vector<DisconnectOutcome> disconnect(const std::vector<std::string>& links) = 0;
};

// The system's own way. Linux: the links are set down over rtnetlink, which needs CAP_NET_ADMIN. Windows: the
// dial-up (RAS) connections among them are hung up; other links cannot be.
std::unique_ptr<LinkDisconnector> makeSystemLinkDisconnector();

// "Disconnected eth0".
std::string disconnectedText(const std::string& link);
// "eth0 was not disconnected: Operation not permitted".
std::string notDisconnectedText(const std::string& link, const std::string& why);

} // namespace tw
