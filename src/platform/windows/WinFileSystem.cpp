#include "platform/FileSystem.h"
#include "platform/windows/WideString.h"

#include <windows.h>

#include <atomic>

namespace tw {

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : m_h(h) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_h; }
    bool close() {
        if (!valid()) {
            return true;
        }
        const bool ok = CloseHandle(m_h) != 0;
        m_h = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE m_h;
};

bool writeAll(HANDLE h, std::string_view data) {
    while (!data.empty()) {
        const DWORD chunk = data.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(data.size());
        DWORD written = 0;
        if (!WriteFile(h, data.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        data.remove_prefix(written);
    }
    return true;
}

std::wstring temporarySibling(const std::wstring& path) {
    static std::atomic<unsigned> counter{0};
    return path + L".tmp-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
}

} // namespace

bool writeFileAtomically(const std::string& path, std::string_view content) {
    const std::wstring target = win::toWide(path);
    const std::wstring temp = temporarySibling(target);
    FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return false;
    }
    const bool written = writeAll(file.get(), content) && FlushFileBuffers(file.get());
    const bool closed = file.close();
    // Write-through: the call returns only once the rename is on the disk.
    if (!written || !closed ||
        !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

bool appendToFile(const std::string& path, std::string_view content) {
    const std::wstring wide = win::toWide(path);
    FileHandle file(CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return false;
    }
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    LARGE_INTEGER oldSize{};
    if (!GetFileSizeEx(file.get(), &oldSize) || !SetFilePointerEx(file.get(), oldSize, nullptr, FILE_BEGIN)) {
        return false;
    }
    // All or nothing: half a line left behind by a full disk would swallow the next line appended.
    bool ok = writeAll(file.get(), content) && FlushFileBuffers(file.get());
    if (!ok && SetFilePointerEx(file.get(), oldSize, nullptr, FILE_BEGIN) && SetEndOfFile(file.get())) {
        FlushFileBuffers(file.get());
    }
    ok = file.close() && ok;
    if (!ok && created) {
        DeleteFileW(wide.c_str());
    }
    return ok;
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    // Opened for its attributes only, sharing everything, so that a writer is never disturbed.
    FileHandle file(CreateFileW(win::toWide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) {
        return std::nullopt;
    }
    auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    return FileIdentity{
        info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
        join(info.nFileSizeHigh, info.nFileSizeLow),
        static_cast<std::int64_t>(join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime))};
}

std::string executablePath() {
    return win::toUtf8(win::modulePath());
}

bool isDirectoryWritable(const std::string& dir) {
    // Access lists, not attributes, decide on Windows (Program Files is not read-only, yet not writable): try it.
    std::wstring probe = win::toWide(dir);
    if (probe.empty()) {
        return false;
    }
    if (probe.back() != L'\\' && probe.back() != L'/') {
        probe += L'\\';
    }
    probe = temporarySibling(probe + L"tallywave-write-probe");
    const HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(h);
    return true;
}

std::string environmentValue(const char* name) {
    const std::wstring wname = win::toWide(name);
    std::wstring buf(256, L'\0');
    for (;;) {
        const DWORD n = GetEnvironmentVariableW(wname.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) {
            return {};
        }
        if (n < buf.size()) {
            buf.resize(n);
            return win::toUtf8(buf);
        }
        buf.resize(n);
    }
}

std::string userConfigHome() {
    return environmentValue("APPDATA");
}
std::string userDataHome() {
    return environmentValue("LOCALAPPDATA");
}

} // namespace tw
