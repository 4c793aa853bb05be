#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The settings file, read and written at the moment of use (no cache). Sections and keys are looked up
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
// gives the same result as the single call above would on the file at that point.
class IniDocument {
public:
    // A missing file is an empty document; a file that exists but cannot be read gives readable() == false, and
    // such a document is never saved over it.
    static IniDocument load(const std::string& file);

    bool readable() const { return m_readable; }
    std::string read(std::string_view section, std::string_view key, std::string_view defaultValue = {}) const;
    void write(std::string_view section, std::string_view key, std::string_view value);
    // False when the section (exact case) or the key in it is not there; then nothing changes.
    bool deleteKey(std::string_view section, std::string_view key);
    // Writes the changes, if any. Shows "ini-file save error." and returns false on failure.
    bool save();

    const std::vector<std::string>& lines() const { return m_lines; }

private:
    struct Entry {
        std::size_t line;
        std::string_view value;
    };
    std::optional<Entry> find(std::string_view section, std::string_view key) const;

    std::string m_file;
    std::vector<std::string> m_lines;
    bool m_readable = true;
    bool m_changed = false;
};

} // namespace tw
