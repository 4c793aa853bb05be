#include "platform/FileSystem.h"
#include "platform/StartupEntry.h"

#include "common/TextFile.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace tw {

namespace {

constexpr std::string_view kEntryName = "Tallywave";
constexpr std::string_view kFileName = "tallywave.desktop";
constexpr std::string_view kCrLf = "\r\n";

// Inside a quoted argument, these characters take a backslash.
constexpr std::string_view kQuotedReserved = "\"`$\\";

std::string configHome() {
    const std::string xdg = environmentValue("XDG_CONFIG_HOME");
    if (!xdg.empty() && xdg.front() == '/') {
        return xdg;
    }
    return environmentValue("HOME") + "/.config";
}

// The Exec value as stored in the file: the quoting rule first, then the string escapes of desktop entries, and
// '%' doubled so that it is not taken for a field code.
std::string execValue(const std::string& executable) {
    std::string quoted = "\"";
    for (char c : executable) {
        if (kQuotedReserved.find(c) != std::string_view::npos) {
            quoted += '\\';
        }
        quoted += c;
    }
    quoted += "\" ";
    quoted += kStartUpSwitch;
    std::string out;
    for (char c : quoted) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '%':
            out += "%%";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string unescapeString(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            out += value[i];
        }
    }
    return out;
}

std::string undoublePercentSigns(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') {
            ++i;
        }
    }
    return out;
}

// Splits an unescaped Exec value into its arguments; std::nullopt for an unterminated quote.
std::optional<std::vector<std::string>> splitArguments(std::string_view command) {
    std::vector<std::string> args;
    std::size_t i = 0;
    while (i < command.size()) {
        if (command[i] == ' ') {
            ++i;
            continue;
        }
        std::string arg;
        if (command[i] == '"') {
            ++i;
            bool closed = false;
            while (i < command.size()) {
                const char c = command[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < command.size() && kQuotedReserved.find(command[i]) != std::string_view::npos) {
                    arg += command[i++];
                } else {
                    arg += c;
                }
            }
            if (!closed) {
                return std::nullopt;
            }
        } else {
            while (i < command.size() && command[i] != ' ') {
                arg += command[i++];
            }
        }
        args.push_back(undoublePercentSigns(arg));
    }
    return args;
}

struct DesktopEntry {
    std::string exec;
    // Switched off by the desktop's own settings (Hidden=true, or GNOME's X-GNOME-Autostart-enabled=false): the
    // session does not start it.
    bool disabled = false;
};

std::optional<DesktopEntry> readDesktopEntry(const std::string& path) {
    const auto lines = readTextLines(path);
    if (!lines) {
        return std::nullopt;
    }
    DesktopEntry entry;
    bool inMainGroup = false;
    bool hasExec = false;
    for (const std::string& line : *lines) {
        if (!line.empty() && line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inMainGroup) {
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos) {
            continue;
        }
        std::string_view key(line.data(), eq);
        while (!key.empty() && key.back() == ' ') {
            key.remove_suffix(1);
        }
        std::string_view value(line);
        value.remove_prefix(eq + 1);
        while (!value.empty() && value.front() == ' ') {
            value.remove_prefix(1);
        }
        if (key == "Exec" && !hasExec) {
            entry.exec = unescapeString(value);
            hasExec = true;
            continue;
        }
        while (!value.empty() && value.back() == ' ') {
            value.remove_suffix(1);
        }
        if ((key == "Hidden" && value == "true") || (key == "X-GNOME-Autostart-enabled" && value == "false")) {
            entry.disabled = true;
        }
    }
    if (!hasExec) {
        return std::nullopt;
    }
    return entry;
}

class XdgStartupEntry final : public StartupEntry {
public:
    explicit XdgStartupEntry(std::string executable)
        : m_executable(std::move(executable)), m_folder(configHome() + "/autostart"),
          m_path(m_folder + "/" + std::string(kFileName)) {}

    bool isStartUpSet() const override {
        const auto entry = readDesktopEntry(m_path);
        if (!entry || entry->disabled) {
            return false;
        }
        if (!entry->exec.empty() && entry->exec.front() == '"') {
            const auto args = splitArguments(entry->exec);
            return args && args->size() >= 2 && (*args)[0] == m_executable && (*args)[1] == kStartUpSwitch;
        }
        // Entries written before the path was quoted: the path, a blank and the switch, as plain text.
        const std::string unquoted = m_executable + " " + kStartUpSwitch;
        return entry->exec.compare(0, unquoted.size(), unquoted) == 0;
    }

    std::string setStartUp(bool enable) override { return enable ? add() : remove(); }

private:
    std::string add() {
        std::error_code ec;
        std::filesystem::create_directories(m_folder, ec);
        if (ec || !std::filesystem::is_directory(m_folder, ec)) {
            return lines({"Error creating registry key entry.", "key: " + m_folder});
        }
        const std::string exec = execValue(m_executable);
        const std::string content = "[Desktop Entry]\n"
                                    "Type=Application\n"
                                    "Name=" +
                                    std::string(kEntryName) +
                                    "\n"
                                    "Comment=Network bandwidth monitor\n"
                                    "Exec=" +
                                    exec +
                                    "\n"
                                    "Icon=tallywave\n"
                                    "Terminal=false\n"
                                    "X-GNOME-Autostart-enabled=true\n";
        if (!writeFileAtomically(m_path, content)) {
            return lines({"Error setting registry string value.", "key: " + m_folder,
                          "string: " + std::string(kEntryName), "value: " + exec});
        }
        return "1";
    }

    std::string remove() {
        if (!isStartUpSet()) {
            return "1";
        }
        std::error_code ec;
        if (!std::filesystem::remove(m_path, ec) || ec) {
            return lines(
                {"Error deleting registry string value.", "key: " + m_folder, "string: " + std::string(kEntryName)});
        }
        return "1";
    }

    static std::string lines(std::initializer_list<std::string> parts) {
        std::string out;
        for (const std::string& part : parts) {
            out += part;
            out += kCrLf;
        }
        return out;
    }

    std::string m_executable;
    std::string m_folder;
    std::string m_path;
};

} // namespace

std::unique_ptr<StartupEntry> makeStartupEntry(const std::string& executablePath) {
    return std::make_unique<XdgStartupEntry>(executablePath);
}

} // namespace tw
