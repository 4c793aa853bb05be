#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw {

// The value of a text that reads as one number as a whole ("12", " 3.5 ", "-4", "1e2"); spaces around it are
// allowed, a leading "+" too; hexadecimal, "inf" and "nan" are no numbers. Independent of the C locale.
std::optional<double> parseNumber(std::string_view text);

// The shortest decimal form that reads back as the same number, never in exponent notation ("3221225472", "102.4").
std::string decimalText(double value);

} // namespace tw
