#pragma once

#include <string>

namespace tw {

// Messages about failures of the system's own services. On Windows they keep the texts users of the program know;
// elsewhere they say what a user of that system can act on.

// The desktop could not open the web address in a browser.
std::string browserFailedText(const std::string& url);
// A network connection failed: its Windows Sockets error number and the system's description of the error.
std::string socketErrorText(int winsockNumber, const std::string& description);
// This process may not send ICMP echo requests (see openIcmpEcho).
std::string icmpUnavailableText();

} // namespace tw
