#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tw {

// The settings file, read and written at the moment of use (a file unchanged since the last read is not parsed
// again). Sections and keys are looked up
// case-insensitively, values come back trimmed and cut to 2047 characters. Failures are shown through the
// message sink: "Load ini-file error." for a key stored with an empty value, "ini-file save error." for a failed
// write. The file path is the first argument of every call (AppPaths::settingsPath in the program).

// The value, or the default when the file, section or key is missing; "[void]" reads as the empty text.
std::string readIniValue(const std::string& file, std::string_view section, std::string_view key,
                         std::string_view defaultValue = {});
// Replaces the entry in place, or appends the key at the end of its section, or appends the section at the end.
void writeIniValue(const std::string& file, std::string_view section, std::string_view key, std::string_view value);
// Removes the first entry of the key in the section (exact case) and every blank line of the file.
void deleteIniKey(const std::string& file, std::string_view section, std::string_view key);

// Conversions of read values in the way the program's readers expect them.
int iniToInt(std::string_view value, int fallback = 0); // "12", " 3 ", "2.6" -> 3 (halves to even)
double iniToDouble(std::string_view value, double fallback = 0);
bool iniToBool(std::string_view value, bool fallback = false); // "True"/"False", "1"/"0" (any number != 0 is true)

// Numbered rows: key "Row" n followed by the column letter ("Row1a", "Row12c").
std::string rowKey(int row, char column);

// The settings file held in memory for several reads and changes, saved as one atomic rewrite. Every operation
// gives the same result as the single call above would on the file at that point. The file is parsed once per
// load; a document asked for more than one key answers from an index of its entries, so reading every row of a
// long list stays linear in the size of the file.
class IniDocument {
public:
    // A missing file is an empty document; a file that exists but cannot be read gives readable() == false, and
    // such a document is never saved over it.
    static IniDocument load(const std::string& file);

    bool readable() const { return m_readable; }
    std::string read(std::string_view section, std::string_view key, std::string_view defaultValue = {}) const;
    void write(std::string_view section, std::string_view key, std::string_view value);
    // The same as write() for each entry in turn, in one pass over the document.
    void writeEntries(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries);
    // False when the section (exact case) or the key in it is not there; then nothing changes.
    bool deleteKey(std::string_view section, std::string_view key);
    // The same as deleteKey() for each key in turn (keys hold no "="), in one pass; how many were found.
    std::size_t deleteKeys(std::string_view section, const std::vector<std::string>& keys);
    // Writes the changes, if any. Shows "ini-file save error." and returns false on failure.
    bool save();

    const std::vector<std::string>& lines() const { return m_lines; }

private:
    struct Entry {
        std::size_t line;
        std::string_view value;
    };
    std::optional<Entry> find(std::string_view section, std::string_view key) const;
    std::optional<std::size_t> findLinearly(std::string_view section, std::string_view key) const;
    void buildIndex() const;
    // Lines were added or removed: the line numbers of the index no longer hold.
    void linesMoved() {
        m_index.clear();
        m_indexed = false;
        m_findsSinceMove = 0;
    }

    std::string m_file;
    std::vector<std::string> m_lines;
    bool m_readable = true;
    bool m_changed = false;
    // Entry line by lowered "section\nkey", for the first section of each name and the first entry of each key in it.
    // Built at the second lookup, so that a document read once (readIniValue) pays only one scan.
    mutable std::unordered_map<std::string, std::size_t> m_index;
    mutable bool m_indexed = false;
    mutable int m_findsSinceMove = 0;
};

} // namespace tw
