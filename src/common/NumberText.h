#pragma once

#include <optional>
#include <string_view>

namespace tw {

// The value of a text that reads as one number as a whole ("12", " 3.5 ", "-4", "1e2"); spaces around it are
// allowed, a leading "+" too; hexadecimal, "inf" and "nan" are no numbers. Independent of the C locale.
std::optional<double> parseNumber(std::string_view text);

} // namespace tw
