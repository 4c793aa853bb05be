#include "config/IniFile.h"

#include "common/MessageSink.h"
#include "common/NumberText.h"
#include "common/TextFile.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>
#include <mutex>

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

namespace {

// Section names and keys of the index: lowered, the section's name and the key joined by a line break (which
// neither can hold).
std::string indexKey(std::string_view section, std::string_view key) {
    std::string out;
    out.reserve(section.size() + key.size() + 1);
    for (char c : section) {
        out += lower(c);
    }
    out += '\n';
    for (char c : key) {
        out += lower(c);
    }
    return out;
}

} // namespace

std::optional<std::size_t> IniDocument::findLinearly(std::string_view section, std::string_view key) const {
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
            return i;
        }
    }
    return std::nullopt;
}

void IniDocument::buildIndex() const {
    m_index.clear();
    m_index.reserve(m_lines.size());
    std::unordered_map<std::string, bool> seenSections;
    std::optional<std::string_view> section; // none before the first header and in a repeated section
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const std::string_view line = m_lines[i];
        if (auto name = sectionName(line)) {
            const bool first = seenSections.emplace(indexKey(*name, {}), true).second;
            section = first ? name : std::nullopt;
            continue;
        }
        if (!section) {
            continue;
        }
        if (auto kv = keyLine(line)) {
            m_index.emplace(indexKey(*section, kv->key), i); // the first entry of a key wins
        }
    }
    m_indexed = true;
}

std::optional<IniDocument::Entry> IniDocument::find(std::string_view section, std::string_view key) const {
    std::optional<std::size_t> line;
    if (!m_indexed && ++m_findsSinceMove > 1) {
        buildIndex();
    }
    if (m_indexed) {
        if (const auto it = m_index.find(indexKey(trim(section), trim(key))); it != m_index.end()) {
            line = it->second;
        }
    } else {
        line = findLinearly(section, key);
    }
    if (!line) {
        return std::nullopt;
    }
    return Entry{*line, keyLine(m_lines[*line])->value};
}

namespace {

std::string entryLine(std::string_view key, std::string_view value) {
    std::string line = singleLine(trim(key));
    line += '=';
    line += singleLine(value);
    return line;
}

} // namespace

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
    writeEntries(section, {{std::string(key), std::string(value)}});
}

void IniDocument::writeEntries(std::string_view section,
                               const std::vector<std::pair<std::string, std::string>>& entries) {
    if (entries.empty()) {
        return;
    }
    m_changed = true;
    // Keys already there are replaced in place; the new ones go together after the section's last entry, in order,
    // as one write after the other would put them.
    std::vector<std::string> added;
    std::unordered_map<std::string, std::size_t> addedAt;
    for (const auto& [key, value] : entries) {
        if (auto entry = find(section, key)) {
            m_lines[entry->line] = entryLine(key, value);
            continue;
        }
        const auto [it, fresh] = addedAt.emplace(indexKey({}, trim(key)), added.size());
        if (fresh) {
            added.push_back(entryLine(key, value));
        } else {
            added[it->second] = entryLine(key, value);
        }
    }
    if (added.empty()) {
        return;
    }
    linesMoved();
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
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::make_move_iterator(added.begin()),
                       std::make_move_iterator(added.end()));
        return;
    }
    m_lines.push_back("[" + singleLine(wantedSection) + "]");
    m_lines.insert(m_lines.end(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
}

bool IniDocument::deleteKey(std::string_view section, std::string_view key) {
    return deleteKeys(section, {std::string(key)}) == 1;
}

std::size_t IniDocument::deleteKeys(std::string_view section, const std::vector<std::string>& keys) {
    const std::string header = "[" + std::string(section) + "]";
    std::size_t i = 0;
    while (i < m_lines.size() && m_lines[i] != header) {
        ++i;
    }
    if (i == m_lines.size()) {
        return 0;
    }
    // Each key takes the first line that starts with the key and "=", in the first section of that exact header.
    std::unordered_map<std::string_view, bool> wanted;
    for (const std::string& key : keys) {
        wanted.emplace(key, true);
    }
    std::vector<bool> drop(m_lines.size(), false);
    std::size_t found = 0;
    for (++i; i < m_lines.size() && found < wanted.size(); ++i) {
        const std::string& line = m_lines[i];
        if (!line.empty() && line.front() == '[') {
            break;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos) {
            continue;
        }
        if (const auto it = wanted.find(std::string_view(line).substr(0, eq)); it != wanted.end() && it->second) {
            it->second = false;
            drop[i] = true;
            ++found;
        }
    }
    if (found == 0) {
        return 0;
    }
    std::vector<std::string> kept;
    kept.reserve(m_lines.size() - found);
    for (std::size_t j = 0; j < m_lines.size(); ++j) {
        if (!drop[j] && !isBlankLine(m_lines[j])) {
            kept.push_back(std::move(m_lines[j]));
        }
    }
    m_lines = std::move(kept);
    linesMoved();
    m_changed = true;
    return found;
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

namespace {

// The document of the last file read, kept while that file stands as it was read: a start reads many keys of a
// settings file that may hold thousands of alarm rows, and parsing it again for each key made that quadratic. Any
// write replaces the file (another identity), so a kept document never outlives what it was read from.
struct LastRead {
    std::mutex mutex;
    std::string file;
    FileIdentity identity;
    std::unique_ptr<IniDocument> doc;
};

// A file written within the file system's time stamp granularity of the read may change again under the same time
// stamp and size: such a read is not kept (as git treats "racy" index entries).
bool settledSince(const std::string& file) {
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(file, ec);
    return !ec && std::filesystem::file_time_type::clock::now() - written > std::chrono::milliseconds(100);
}

LastRead& lastRead() {
    static LastRead last;
    return last;
}

} // namespace

std::string readIniValue(const std::string& file, std::string_view section, std::string_view key,
                         std::string_view defaultValue) {
    const std::optional<FileIdentity> identity = fileIdentity(file);
    if (!identity) {
        return IniDocument::load(file).read(section, key, defaultValue);
    }
    LastRead& last = lastRead();
    const std::lock_guard lock(last.mutex);
    if (!last.doc || last.file != file || !(last.identity == *identity)) {
        if (!settledSince(file)) {
            last.doc.reset();
            return IniDocument::load(file).read(section, key, defaultValue);
        }
        // Taken before the read: a file changed meanwhile has another identity at the next call and is read again.
        last.doc = std::make_unique<IniDocument>(IniDocument::load(file));
        last.file = file;
        last.identity = *identity;
    }
    return last.doc->read(section, key, defaultValue);
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
