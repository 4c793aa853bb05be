#include "platform/ProcessList.h"
#include "platform/windows/WideString.h"

#include <windows.h>

#include <tlhelp32.h> // needs windows.h first

namespace tw {

namespace {

class Handle {
public:
    explicit Handle(HANDLE h = nullptr) : m_h(h) {}
    ~Handle() {
        if (valid()) {
            CloseHandle(m_h);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return m_h != nullptr && m_h != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_h; }
    HANDLE* out() { return &m_h; }

private:
    HANDLE m_h;
};

// The SID of the user a process runs as, as bytes; empty when the process cannot be opened (another user's
// process, or a protected one).
std::string processUserSid(DWORD pid) {
    Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process.valid()) {
        return {};
    }
    Handle token;
    if (!OpenProcessToken(process.get(), TOKEN_QUERY, token.out())) {
        return {};
    }
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0) {
        return {};
    }
    std::string buf(size, '\0');
    if (!GetTokenInformation(token.get(), TokenUser, buf.data(), size, &size)) {
        return {};
    }
    const PSID sid = reinterpret_cast<TOKEN_USER*>(buf.data())->User.Sid;
    if (!IsValidSid(sid)) {
        return {};
    }
    return std::string(static_cast<const char*>(sid), GetLengthSid(sid));
}

DWORD sessionOf(DWORD pid) {
    DWORD session = 0;
    return ProcessIdToSessionId(pid, &session) ? session : MAXDWORD;
}

class ToolhelpProcessList final : public ProcessList {
public:
    std::vector<ProcessInfo> snapshot() const override {
        std::vector<ProcessInfo> out;
        Handle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        if (!snap.valid()) {
            return out;
        }
        const std::string mySid = processUserSid(GetCurrentProcessId());
        const DWORD mySession = sessionOf(GetCurrentProcessId());
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32FirstW(snap.get(), &entry); more; more = Process32NextW(snap.get(), &entry)) {
            // szExeFile is NUL-terminated within its array; wcsnlen keeps a malformed entry inside it.
            const std::wstring name(entry.szExeFile, wcsnlen(entry.szExeFile, MAX_PATH));
            const std::string sid = processUserSid(entry.th32ProcessID);
            // A process we may not open runs for another user unless it sits in our own session (an elevated copy).
            const bool sameUser = !sid.empty() ? sid == mySid : sessionOf(entry.th32ProcessID) == mySession;
            out.push_back(ProcessInfo{static_cast<long>(entry.th32ProcessID), sameUser,
                                      win::toUtf8(win::lowerCase(win::fileNameOf(name)))});
        }
        return out;
    }

    std::string ownExeFileName() const override {
        return win::toUtf8(win::lowerCase(win::fileNameOf(win::modulePath())));
    }
};

} // namespace

std::unique_ptr<ProcessList> makeSystemProcessList() {
    return std::make_unique<ToolhelpProcessList>();
}

} // namespace tw
