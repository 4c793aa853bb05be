#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

namespace {

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Makes a new or renamed entry of the folder durable.
void syncDirectoryOf(const std::string& path) {
    const std::string dir = std::filesystem::path(path).parent_path().string();
    const int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

} // namespace

bool writeFileAtomically(const std::string& path, std::string_view content) {
    std::string tmpl = path + ".tmp-XXXXXX";
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) {
        return false;
    }
    // Keep the permissions of the file being replaced; mkstemp creates 0600.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    const bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !ok || ::rename(tmpl.c_str(), path.c_str()) != 0) {
        ::unlink(tmpl.c_str());
        return false;
    }
    syncDirectoryOf(path); // the rename itself is durable
    return true;
}

bool appendToFile(const std::string& path, std::string_view content) {
    bool created = false;
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        created = fd >= 0;
    }
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return false;
    }
    // All or nothing: half a line left behind by a full disk would swallow the next line appended.
    bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
    if (!ok) {
        if (::ftruncate(fd, st.st_size) == 0) {
            ::fsync(fd);
        }
    }
    ok = ::close(fd) == 0 && ok;
    if (!ok && created) {
        ::unlink(path.c_str());
    } else if (ok && created) {
        syncDirectoryOf(path);
    }
    return ok;
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                        static_cast<std::uint64_t>(st.st_size),
                        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

std::string executablePath() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).string();
}

bool isDirectoryWritable(const std::string& dir) {
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

std::string environmentValue(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

namespace {

// An XDG base folder: the variable when it holds an absolute path, else the default under the home folder.
std::string xdgHome(const char* variable, const char* fallbackUnderHome) {
    const std::string set = environmentValue(variable);
    if (!set.empty() && set.front() == '/') {
        return set;
    }
    return (std::filesystem::path(environmentValue("HOME")) / fallbackUnderHome).string();
}

} // namespace

std::string userConfigHome() {
    return xdgHome("XDG_CONFIG_HOME", ".config");
}
std::string userDataHome() {
    return xdgHome("XDG_DATA_HOME", ".local/share");
}

} // namespace tw
