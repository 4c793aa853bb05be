#include "platform/linux/SocketOwners.h"

#include <charconv>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace tw::procfs {

namespace {

class Directory {
public:
    explicit Directory(int fd) : m_dir(fd >= 0 ? ::fdopendir(fd) : nullptr) {
        if (fd >= 0 && m_dir == nullptr) {
            ::close(fd);
        }
    }
    ~Directory() {
        if (m_dir != nullptr) {
            ::closedir(m_dir);
        }
    }
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;

    bool open() const { return m_dir != nullptr; }
    int fd() const { return ::dirfd(m_dir); }
    const dirent* next() { return ::readdir(m_dir); }

private:
    DIR* m_dir;
};

std::optional<long> processId(std::string_view name) {
    long pid = 0;
    const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (ec != std::errc{} || end != name.data() + name.size() || pid <= 0) {
        return std::nullopt;
    }
    return pid;
}

// "socket:[12345]" -> 12345
std::optional<std::uint64_t> socketInode(std::string_view link) {
    constexpr std::string_view kPrefix = "socket:[";
    if (!link.starts_with(kPrefix) || !link.ends_with(']')) {
        return std::nullopt;
    }
    link = link.substr(kPrefix.size(), link.size() - kPrefix.size() - 1);
    std::uint64_t inode = 0;
    const auto [end, ec] = std::from_chars(link.data(), link.data() + link.size(), inode);
    if (ec != std::errc{} || end != link.data() + link.size()) {
        return std::nullopt;
    }
    return inode;
}

std::string commandName(int processDir) {
    const int fd = ::openat(processDir, "comm", O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    char buffer[64];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    std::string name(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
    while (!name.empty() && name.back() == '\n') {
        name.pop_back();
    }
    return name;
}

} // namespace

std::unordered_map<std::uint64_t, SocketOwner> findSocketOwners(const std::unordered_set<std::uint64_t>& inodes,
                                                                const std::string& procRoot) {
    std::unordered_map<std::uint64_t, SocketOwner> owners;
    Directory proc(::open(procRoot.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (inodes.empty() || !proc.open()) {
        return owners;
    }
    while (const dirent* entry = proc.next()) {
        if (owners.size() == inodes.size()) {
            break;
        }
        const auto pid = processId(entry->d_name);
        if (!pid) {
            continue;
        }
        const int processDir = ::openat(proc.fd(), entry->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (processDir < 0) {
            continue;
        }
        Directory fds(::openat(processDir, "fd", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        std::string name;
        bool named = false;
        while (fds.open()) {
            const dirent* fdEntry = fds.next();
            if (fdEntry == nullptr) {
                break;
            }
            char link[64];
            const ssize_t n = ::readlinkat(fds.fd(), fdEntry->d_name, link, sizeof link);
            const auto inode = n > 0 ? socketInode(std::string_view(link, static_cast<std::size_t>(n))) : std::nullopt;
            if (!inode || !inodes.contains(*inode) || owners.contains(*inode)) {
                continue;
            }
            if (!named) {
                name = commandName(processDir);
                named = true;
            }
            owners.emplace(*inode, SocketOwner{*pid, name});
        }
        ::close(processDir);
    }
    return owners;
}

} // namespace tw::procfs
