#include "config/IniFile.h"

#include "common/MessageSink.h"
#include "common/NumberText.h"
#include "common/TextFile.h"
#include "platform/FileSystem.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tw {

namespace {

// The read buffer of the classic profile functions holds 2048 characters including the terminator.
constexpr std::size_t kMaxValueLength = 2047;
constexpr std::string_view kVoid = "[void]";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The name of a section header line, or nullopt when the line is no header.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    line.remove_prefix(1);
    const auto close = line.find(']');
    return trim(line.substr(0, close));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{trim(line.substr(0, eq)), trim(line.substr(eq + 1))};
}

// A line break inside a value would split the entry in two on the next read.
std::string singleLine(std::string_view value) {
    std::string out(value);
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

bool isBlankLine(std::string_view line) {
    return trim(line).empty();
}

} // namespace

IniDocument IniDocument::load(const std::string& file) {
    IniDocument doc;
    doc.m_file = file;
    if (!fileExists(file)) {
        return doc;
    }
    auto lines = readTextLines(file);
    if (!lines) {
        doc.m_readable = false;
        return doc;
    }
    doc.m_lines = std::move(*lines);
    return doc;
}

std::optional<IniDocument::Entry> IniDocument::find(std::string_view section, std::string_view key) const {
    const std::string_view wantedSection = trim(section);
    const std::string_view wantedKey = trim(key);
    bool inSection = false;
    bool seenSection = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const std::string_view line = m_lines[i];
        if (auto name = sectionName(line)) {
            // Only the first section of a name counts, as with the platform's profile functions.
            if (inSection) {
                return std::nullopt;
            }
            inSection = !seenSection && equalsNoCase(*name, wantedSection);
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (auto kv = keyLine(line); kv && equalsNoCase(kv->key, wantedKey)) {
            return Entry{i, kv->value};
        }
    }
    return std::nullopt;
}

std::string IniDocument::read(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    if (defaultValue.empty()) {
        defaultValue = kVoid;
    }
    const auto entry = find(section, key);
    std::string_view value = entry ? entry->value : defaultValue;
    value = value.substr(0, kMaxValueLength);
    if (value.empty()) {
        showMessage("Load ini-file error.");
        return {};
    }
    if (value == kVoid) {
        return {};
    }
    return std::string(value);
}

void IniDocument::write(std::string_view section, std::string_view key, std::string_view value) {
    std::string entryLine = singleLine(trim(key));
    entryLine += '=';
    entryLine += singleLine(value);
    m_changed = true;

    if (auto entry = find(section, key)) {
        m_lines[entry->line] = std::move(entryLine);
        return;
    }
    const std::string_view wantedSection = trim(section);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        auto name = sectionName(m_lines[i]);
        if (!name || !equalsNoCase(*name, wantedSection)) {
            continue;
        }
        // After the section's last entry, so blank lines that separate it from the next section stay below.
        std::size_t insertAt = i + 1;
        for (std::size_t j = i + 1; j < m_lines.size() && !sectionName(m_lines[j]); ++j) {
            if (!isBlankLine(m_lines[j])) {
                insertAt = j + 1;
            }
        }
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entryLine));
        return;
    }
    m_lines.push_back("[" + singleLine(wantedSection) + "]");
    m_lines.push_back(std::move(entryLine));
}

bool IniDocument::deleteKey(std::string_view section, std::string_view key) {
    const std::string header = "[" + std::string(section) + "]";
    std::size_t i = 0;
    while (i < m_lines.size() && m_lines[i] != header) {
        ++i;
    }
    if (i == m_lines.size()) {
        return false;
    }
    const std::string prefix = std::string(key) + "=";
    for (++i; i < m_lines.size(); ++i) {
        const std::string& line = m_lines[i];
        if (!line.empty() && line.front() == '[') {
            return false;
        }
        if (line.compare(0, prefix.size(), prefix) == 0) {
            m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
            std::erase_if(m_lines, [](const std::string& l) { return isBlankLine(l); });
            m_changed = true;
            return true;
        }
    }
    return false;
}

bool IniDocument::save() {
    if (!m_changed) {
        return true;
    }
    // A file we could not read is never replaced by what little we know of it.
    if (!m_readable || !writeFileAtomically(m_file, joinLines(m_lines))) {
        showMessage("ini-file save error.");
        return false;
    }
    m_changed = false;
    return true;
}

std::string readIniValue(const std::string& file, std::string_view section, std::string_view key,
                         std::string_view defaultValue) {
    return IniDocument::load(file).read(section, key, defaultValue);
}

void writeIniValue(const std::string& file, std::string_view section, std::string_view key, std::string_view value) {
    auto doc = IniDocument::load(file);
    doc.write(section, key, value);
    doc.save();
}

void deleteIniKey(const std::string& file, std::string_view section, std::string_view key) {
    auto doc = IniDocument::load(file);
    if (doc.deleteKey(section, key)) {
        doc.save();
    }
}

double iniToDouble(std::string_view value, double fallback) {
    return parseNumber(value).value_or(fallback);
}

int iniToInt(std::string_view value, int fallback) {
    const auto d = parseNumber(value);
    if (!d) {
        return fallback;
    }
    const double rounded = std::nearbyint(*d); // default rounding mode: halves to even
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max()) {
        return fallback;
    }
    return static_cast<int>(rounded);
}

bool iniToBool(std::string_view value, bool fallback) {
    const std::string_view v = trim(value);
    if (equalsNoCase(v, "True")) {
        return true;
    }
    if (equalsNoCase(v, "False")) {
        return false;
    }
    const auto d = parseNumber(v);
    return d ? *d != 0 : fallback;
}

std::string rowKey(int row, char column) {
    return "Row" + std::to_string(row) + column;
}

} // namespace tw
