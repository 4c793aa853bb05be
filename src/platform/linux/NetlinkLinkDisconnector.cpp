// Linux: a link is taken off the network by setting it down (RTM_NEWLINK with IFF_UP cleared), as `ip link set
// dev eth0 down` does. The kernel allows it only with CAP_NET_ADMIN.
#include "platform/LinkDisconnector.h"
#include "platform/linux/NetlinkSocket.h"

#include <cstring>
#include <linux/rtnetlink.h>
#include <net/if.h>

namespace tw {

namespace {

class NetlinkLinkDisconnector final : public LinkDisconnector {
public:
    std::vector<DisconnectOutcome> disconnect(const std::vector<std::string>& links) override {
        std::vector<DisconnectOutcome> outcomes;
        for (const std::string& link : links) {
            outcomes.push_back(setDown(link));
        }
        return outcomes;
    }

private:
    DisconnectOutcome setDown(const std::string& link) {
        const unsigned index = ::if_nametoindex(link.c_str());
        if (index == 0) {
            return {link, false, notDisconnectedText(link, "there is no such link now")};
        }
        ifinfomsg change{};
        change.ifi_family = AF_UNSPEC;
        change.ifi_index = static_cast<int>(index);
        change.ifi_change = IFF_UP;
        change.ifi_flags = 0;
        const int error = m_socket.change(RTM_NEWLINK, &change, sizeof change);
        if (error == 0) {
            return {link, true, disconnectedText(link)};
        }
        std::string why = std::strerror(error);
        if (error == EPERM) {
            why += " (setting a link down needs the CAP_NET_ADMIN capability)";
        }
        return {link, false, notDisconnectedText(link, why)};
    }

    NetlinkSocket m_socket;
};

} // namespace

std::unique_ptr<LinkDisconnector> makeSystemLinkDisconnector() {
    return std::make_unique<NetlinkLinkDisconnector>();
}

} // namespace tw
