#pragma once

#include "config/SettingsKeys.h"

#include <span>
#include <string>
#include <vector>

namespace tw {

// A list stored as a count key plus "Row" n + column letter keys (the monitored connections, the alarms).
// Each row holds one text per column, in the order of the columns given.
using IniRow = std::vector<std::string>;

// Reads rows 1..count; a missing cell takes its column's default. A count below 0 reads as 0, and a corrupt
// count is bounded so that it cannot stall the program.
std::vector<IniRow> readNumberedRows(const std::string& file, const IniKey& countKey,
                                     std::span<const IniRowColumn> columns);

// Replaces the list: the old rows 1..old count are deleted for every column, then the new count and rows 1..M are
// written. The file is rewritten once, atomically. Cells missing from a short row are written empty.
void writeNumberedRows(const std::string& file, const IniKey& countKey, std::span<const IniRowColumn> columns,
                       const std::vector<IniRow>& rows);

inline constexpr int kMaxNumberedRows = 10000;

} // namespace tw
