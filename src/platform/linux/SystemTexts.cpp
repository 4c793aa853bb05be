#include "platform/SystemTexts.h"

namespace tw {

std::string browserFailedText(const std::string& url) {
    return "The web browser could not be started.\nPlease open this address yourself:\n" + url;
}

std::string socketErrorText(int /*winsockNumber*/, const std::string& description) {
    return description;
}

std::string icmpUnavailableText() {
    return "ICMP sockets are not permitted for this user, so no echo requests can be sent.\n"
           "The kernel setting net.ipv4.ping_group_range names the groups that may use them, for example:\n"
           "sudo sysctl -w net.ipv4.ping_group_range=\"0 2147483647\"";
}

} // namespace tw
