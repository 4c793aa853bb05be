#pragma once

#include <string>
#include <string_view>

namespace tw {

// How a list column compares: as text, as numbers or as dates.
enum class SortType { Text = 0, Number = 1, Date = 2 };

// A key whose plain text order is the column's order.
// Number: digit groups and blanks ignored; the whole part padded with zeros to 40 digits (amounts of 28 digits fit),
// then the fraction; negatives before every positive, larger magnitudes first. Text that is no number sorts first.
// Date: "yyyymmddhhnnss"; text that is no date sorts first.
std::string sortKey(std::string_view cellText, SortType type);

} // namespace tw
