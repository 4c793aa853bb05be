#include "config/NumberedRows.h"

#include <algorithm>

namespace tw {

namespace {

int storedCount(const IniDocument& doc, const IniKey& countKey) {
    return std::clamp(iniToInt(doc.read(countKey.section, countKey.key, countKey.defaultValue)), 0, kMaxNumberedRows);
}

} // namespace

std::vector<IniRow> readNumberedRows(const std::string& file, const IniKey& countKey,
                                     std::span<const IniRowColumn> columns) {
    const auto doc = IniDocument::load(file);
    const int count = storedCount(doc, countKey);
    std::vector<IniRow> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int r = 1; r <= count; ++r) {
        IniRow row;
        row.reserve(columns.size());
        for (const auto& column : columns) {
            row.push_back(doc.read(countKey.section, rowKey(r, column.letter), column.defaultValue));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void writeNumberedRows(const std::string& file, const IniKey& countKey, std::span<const IniRowColumn> columns,
                       const std::vector<IniRow>& rows) {
    auto doc = IniDocument::load(file);
    const int oldCount = storedCount(doc, countKey);
    std::vector<std::string> oldKeys;
    oldKeys.reserve(static_cast<std::size_t>(oldCount) * columns.size());
    for (int r = 1; r <= oldCount; ++r) {
        for (const auto& column : columns) {
            oldKeys.push_back(rowKey(r, column.letter));
        }
    }
    doc.deleteKeys(countKey.section, oldKeys);
    doc.write(countKey.section, countKey.key, std::to_string(rows.size()));
    std::vector<std::pair<std::string, std::string>> cells;
    cells.reserve(rows.size() * columns.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            cells.emplace_back(rowKey(static_cast<int>(r) + 1, columns[c].letter),
                               c < rows[r].size() ? rows[r][c] : std::string());
        }
    }
    doc.writeEntries(countKey.section, cells);
    doc.save();
}

} // namespace tw
