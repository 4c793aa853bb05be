#include "platform/FileSystem.h"
#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <unistd.h>

namespace tw {

namespace {

// The kernel drops an flock with the last descriptor of its file, so a killed copy leaves no stale lock behind.
class FlockInstanceLock final : public InstanceLock {
public:
    ~FlockInstanceLock() override {
        for (const auto& [key, fd] : m_held) {
            ::close(fd); // the file stays: removing it would race with a copy that just opened it
        }
    }

    bool tryAcquire(const std::string& key) override {
        if (m_held.contains(key)) {
            return true;
        }
        const int fd = ::open(lockPath(key).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            return true; // cannot tell: better a second copy than none at all
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return false;
        }
        m_held.emplace(key, fd);
        return true;
    }

private:
    static std::string lockPath(const std::string& key) {
        // The runtime folder is private to the user; /tmp is shared, so the user id goes into the name there.
        const std::string runtimeDir = environmentValue("XDG_RUNTIME_DIR");
        if (!runtimeDir.empty() && isDirectoryWritable(runtimeDir)) {
            return runtimeDir + "/" + instanceLockName(key) + ".lock";
        }
        return "/tmp/" + instanceLockName(key) + "-" + std::to_string(::getuid()) + ".lock";
    }

    std::map<std::string, int> m_held;
};

} // namespace

std::unique_ptr<InstanceLock> makeSystemInstanceLock() { return std::make_unique<FlockInstanceLock>(); }

} // namespace tw
