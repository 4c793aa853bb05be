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
    for (int r = 1; r <= oldCount; ++r) {
        for (const auto& column : columns) {
            doc.deleteKey(countKey.section, rowKey(r, column.letter));
        }
    }
    doc.write(countKey.section, countKey.key, std::to_string(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::string_view cell = c < rows[r].size() ? std::string_view(rows[r][c]) : std::string_view();
            doc.write(countKey.section, rowKey(static_cast<int>(r) + 1, columns[c].letter), cell);
        }
    }
    doc.save();
}

} // namespace tw
