#pragma once

#include <string_view>

namespace tw {

// Wildcard match, case-sensitive: "*" any run of characters, "?" one character, "#" one digit, "[abc]", "[a-z]"
// and "[!abc]" one character of (or not of) the list.
bool likeMatch(std::string_view text, std::string_view pattern);

// An address matches a range pattern when both have exactly four "."-separated parts and every pattern part is "*"
// or matches the address part as a wildcard pattern. Parts are compared as text: "010" does not match 10.
bool matchesIpRange(std::string_view address, std::string_view pattern);

// Typed address or range: exactly four parts, each "*" or a plain decimal number of one to three digits up to 255.
bool isValidIpPattern(std::string_view text);

} // namespace tw
