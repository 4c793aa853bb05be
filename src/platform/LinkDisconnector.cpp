#include "platform/LinkDisconnector.h"

namespace tw {

std::string disconnectedText(const std::string& link) {
    return "Disconnected " + link;
}

std::string notDisconnectedText(const std::string& link, const std::string& why) {
    return link + " was not disconnected: " + why;
}

} // namespace tw
