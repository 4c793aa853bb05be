#include "platform/InstanceLock.h"
#include "platform/windows/WideString.h"

#include <windows.h>

#include <map>

namespace tw {

namespace {

// A named mutex in the session's namespace exists while any process holds a handle to it; the system closes the
// handles of a process that ends, so a crashed copy never blocks the next one.
class MutexInstanceLock final : public InstanceLock {
public:
    ~MutexInstanceLock() override {
        for (const auto& [key, handle] : m_held) {
            CloseHandle(handle);
        }
    }

    bool tryAcquire(const std::string& key) override {
        if (m_held.contains(key)) {
            return true;
        }
        const std::wstring name = L"Local\\" + win::toWide(instanceLockName(key));
        const HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
        const DWORD error = GetLastError();
        if (mutex == nullptr) {
            // Access denied means the object exists and belongs to a copy running at another level; anything else
            // is a failure that must not keep the user from running the program.
            return error != ERROR_ACCESS_DENIED;
        }
        if (error == ERROR_ALREADY_EXISTS) {
            CloseHandle(mutex);
            return false;
        }
        m_held.emplace(key, mutex);
        return true;
    }

private:
    std::map<std::string, HANDLE> m_held;
};

} // namespace

std::unique_ptr<InstanceLock> makeSystemInstanceLock() {
    return std::make_unique<MutexInstanceLock>();
}

} // namespace tw
