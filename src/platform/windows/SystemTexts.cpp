#include "platform/SystemTexts.h"

namespace tw {

std::string browserFailedText(const std::string& url) {
    return "mnuProdAUpd_Click: ShellExecute ERROR.\nCouldn't open browser. Please manually goto the address:\n" + url;
}

std::string socketErrorText(int winsockNumber, const std::string& description) {
    return "Winsock Error: " + std::to_string(winsockNumber) + "\n" + description;
}

std::string icmpUnavailableText() {
    return "Unable to Open an Icmp File Handle.";
}

} // namespace tw
