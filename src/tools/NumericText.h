#pragma once

#include <optional>
#include <string_view>

namespace tw {

// The value of a text that reads as one number as a whole ("12", " 3.5 ", "-4", "1e2"); spaces around it are
// allowed, anything else makes it no number.
std::optional<double> readNumber(std::string_view text);

} // namespace tw
