#include "platform/StartupEntry.h"
#include "platform/windows/WideString.h"

#include <windows.h>

#include <initializer_list>
#include <optional>

namespace tw {

namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunKeyText = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kMachineRunKeyText = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kValueName = L"Tallywave";
constexpr const char* kValueNameText = "Tallywave";

std::string lines(std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string& part : parts) {
        out += part;
        out += "\r\n";
    }
    return out;
}

class RegKey {
public:
    RegKey() = default;
    ~RegKey() {
        if (m_key != nullptr) {
            RegCloseKey(m_key);
        }
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    HKEY* out() { return &m_key; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// The value's text, or nothing when it is missing or not a string. Stored strings need not end with a NUL.
std::optional<std::wstring> readRunValue(HKEY root) {
    RegKey key;
    if (RegOpenKeyExW(root, kRunKey, 0, KEY_QUERY_VALUE, key.out()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.get(), kValueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.get(), kValueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    data.resize(wcsnlen(data.c_str(), bytes / sizeof(wchar_t)));
    return data;
}

bool equalIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                        static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// Writes the user's Run value; recognises it there, and under the machine-wide key where older versions wrote it,
// quoted or, as older versions stored it, unquoted.
class RegistryStartupEntry final : public StartupEntry {
public:
    explicit RegistryStartupEntry(const std::string& executable) : m_executable(win::toWide(executable)) {
        for (wchar_t& c : m_executable) {
            if (c == L'/') {
                c = L'\\';
            }
        }
    }

    bool isStartUpSet() const override {
        return startsThisCopy(HKEY_CURRENT_USER) || startsThisCopy(HKEY_LOCAL_MACHINE);
    }

    std::string setStartUp(bool enable) override { return enable ? add() : remove(); }

private:
    std::wstring data() const { return L"\"" + m_executable + L"\" " + win::toWide(kStartUpSwitch); }

    // The path names this executable (Windows compares file names without case) and the switch follows it, alone
    // or before further switches.
    bool startsThis(std::wstring_view stored) const {
        const std::wstring switchText = L" " + win::toWide(kStartUpSwitch);
        const auto matchesAfter = [&](std::wstring_view path, std::wstring_view rest) {
            if (!equalIgnoringCase(path, m_executable) || rest.substr(0, switchText.size()) != switchText) {
                return false;
            }
            rest.remove_prefix(switchText.size());
            return rest.empty() || rest.front() == L' ';
        };
        if (!stored.empty() && stored.front() == L'"') {
            const auto close = stored.find(L'"', 1);
            return close != std::wstring_view::npos &&
                   matchesAfter(stored.substr(1, close - 1), stored.substr(close + 1));
        }
        return stored.size() >= m_executable.size() &&
               matchesAfter(stored.substr(0, m_executable.size()), stored.substr(m_executable.size()));
    }

    bool startsThisCopy(HKEY root) const {
        const auto stored = readRunValue(root);
        return stored && startsThis(*stored);
    }

    std::string add() {
        RegKey key;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.out(), nullptr) != ERROR_SUCCESS) {
            return lines({"Error creating registry key entry.", std::string("key: ") + kRunKeyText});
        }
        const std::wstring value = data();
        const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)); // with its NUL, as REG_SZ wants
        if (RegSetValueExW(key.get(), kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) !=
            ERROR_SUCCESS) {
            return lines({"Error setting registry string value.", std::string("key: ") + kRunKeyText,
                          std::string("string: ") + kValueNameText, "value: " + win::toUtf8(value)});
        }
        return "1";
    }

    std::string remove() {
        // Values that start another copy of the program are left alone, in both places.
        if (startsThisCopy(HKEY_CURRENT_USER)) {
            if (const std::string error = deleteValue(HKEY_CURRENT_USER, kRunKeyText); !error.empty()) {
                return error;
            }
        }
        if (startsThisCopy(HKEY_LOCAL_MACHINE)) {
            // Needs administrator rights; without them the user learns why the entry stays.
            if (const std::string error = deleteValue(HKEY_LOCAL_MACHINE, kMachineRunKeyText); !error.empty()) {
                return error;
            }
        }
        return "1";
    }

    static std::string deleteValue(HKEY root, const char* keyText) {
        RegKey key;
        if (RegOpenKeyExW(root, kRunKey, 0, KEY_SET_VALUE, key.out()) != ERROR_SUCCESS) {
            return lines({"Error opening registry key entry.", std::string("key: ") + keyText});
        }
        if (RegDeleteValueW(key.get(), kValueName) != ERROR_SUCCESS) {
            return lines({"Error deleting registry string value.", std::string("key: ") + keyText,
                          std::string("string: ") + kValueNameText});
        }
        return {};
    }

    std::wstring m_executable;
};

} // namespace

std::unique_ptr<StartupEntry> makeStartupEntry(const std::string& executablePath) {
    return std::make_unique<RegistryStartupEntry>(executablePath);
}

} // namespace tw
