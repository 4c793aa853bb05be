#include "platform/FileSystem.h"
#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

namespace {

// The kernel drops an flock with the last descriptor of its file, so a killed copy leaves no stale lock behind.
class FlockInstanceLock final : public InstanceLock {
public:
    ~FlockInstanceLock() override {
        // Removed while still locked, so no file is left behind; a copy that opened it meanwhile sees that its file
        // is no longer the one at the path and starts over.
        for (const auto& [path, fd] : m_held) {
            ::unlink(path.c_str());
            ::close(fd);
        }
    }

    bool tryAcquire(const std::string& key) override {
        const std::string path = lockPath(key);
        if (m_held.contains(path)) {
            return true;
        }
        for (int attempt = 0; attempt < 5; ++attempt) {
            const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
            if (fd < 0) {
                return true; // cannot tell: better a second copy than none at all
            }
            if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
                ::close(fd);
                return false;
            }
            struct stat locked {};
            struct stat current {};
            if (::fstat(fd, &locked) == 0 && ::stat(path.c_str(), &current) == 0 && locked.st_dev == current.st_dev &&
                locked.st_ino == current.st_ino) {
                m_held.emplace(path, fd);
                return true;
            }
            ::close(fd); // the holder removed the file on its way out: take the new one
        }
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

    std::map<std::string, int> m_held; // lock file path -> descriptor
};

} // namespace

std::unique_ptr<InstanceLock> makeSystemInstanceLock() {
    return std::make_unique<FlockInstanceLock>();
}

} // namespace tw
