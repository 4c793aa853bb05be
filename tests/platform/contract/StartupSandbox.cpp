#include "StartupSandbox.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>

namespace twtest {

struct StartupSandbox::State {
    std::wstring root = L"Software\\TallywaveContractTest\\" + std::to_wstring(GetCurrentProcessId());
    HKEY user = nullptr;
    HKEY machine = nullptr;
};

namespace {
HKEY createKey(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot create the test registry key");
    }
    return key;
}
} // namespace

StartupSandbox::StartupSandbox() : m_state(std::make_unique<State>()) {
    m_state->user = createKey(m_state->root + L"\\user");
    m_state->machine = createKey(m_state->root + L"\\machine");
    if (RegOverridePredefKey(HKEY_CURRENT_USER, m_state->user) != ERROR_SUCCESS ||
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_state->machine) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot redirect the registry roots");
    }
}

StartupSandbox::~StartupSandbox() {
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(m_state->user);
    RegCloseKey(m_state->machine);
    RegDeleteTreeW(HKEY_CURRENT_USER, m_state->root.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TallywaveContractTest"); // fails while another run uses it
}

std::string StartupSandbox::userEntryCommand() const {
    wchar_t data[1024] = {};
    DWORD bytes = sizeof(data) - sizeof(wchar_t);
    if (RegGetValueW(m_state->user, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Tallywave", RRF_RT_REG_SZ,
                     nullptr, data, &bytes) != ERROR_SUCCESS) {
        return {};
    }
    const int n = WideCharToMultiByte(CP_UTF8, 0, data, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, data, -1, out.data(), n, nullptr, nullptr);
    return out;
}

void StartupSandbox::plantLegacyEntry(const std::string& executable, const std::string& extraSwitches) {
    const std::string text = executable + " -winStartUp" + extraSwitches;
    HKEY run = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, nullptr, 0,
                    KEY_SET_VALUE, nullptr, &run, nullptr);
    // Older versions stored the text without its terminating NUL.
    RegSetValueExA(run, "Tallywave", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                   static_cast<DWORD>(text.size()));
    RegCloseKey(run);
}

} // namespace twtest

#else

namespace twtest {

struct StartupSandbox::State {
    TempDir configHome;
    std::optional<std::string> previous;
};

StartupSandbox::StartupSandbox() : m_state(std::make_unique<State>()) {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
        m_state->previous = old;
    }
    ::setenv("XDG_CONFIG_HOME", m_state->configHome.path().c_str(), 1);
}

StartupSandbox::~StartupSandbox() {
    if (m_state->previous) {
        ::setenv("XDG_CONFIG_HOME", m_state->previous->c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

void StartupSandbox::plantLegacyEntry(const std::string& executable, const std::string& extraSwitches) {
    std::filesystem::create_directories(m_state->configHome.path() / "autostart");
    std::ofstream(m_state->configHome.path() / "autostart" / "tallywave.desktop")
        << "[Desktop Entry]\nType=Application\nName=Tallywave\nExec=" << executable << " -winStartUp" << extraSwitches
        << "\n";
}

std::string StartupSandbox::userEntryCommand() const {
    std::ifstream in(m_state->configHome.path() / "autostart" / "tallywave.desktop");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("Exec=", 0) == 0) {
            return line.substr(5);
        }
    }
    return {};
}

} // namespace twtest

#endif
