#pragma once

// A small tmpfs that a test fills to the last page: the full disk of the data-safety tests. Linux only, and root
// only (mounting needs it); include it only from Linux suites.

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

namespace twtest {

class SmallTmpfs {
public:
    static bool usable(std::string* why) {
        if (::geteuid() != 0) {
            *why = "needs root to mount a small tmpfs as a full disk (run as root, as CI does)";
            return false;
        }
        return true;
    }

    explicit SmallTmpfs(std::size_t bytes = 256 * 1024) {
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
        m_mounted =
            ::mount("tallywave-test", m_dir.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
        if (!m_mounted) {
            ADD_FAILURE() << "mount tmpfs: " << std::strerror(errno);
        }
    }
    ~SmallTmpfs() {
        if (m_mounted) {
            ::umount2(m_dir.path().c_str(), MNT_DETACH);
        }
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    const TempDir& dir() const { return m_dir; }
    std::string file(const std::string& name) const { return m_dir.file(name); }

    // Takes every free page, so that any write needing a new page fails with ENOSPC. Files already there keep the
    // free room of their last page.
    void fill() {
        const std::string filler = m_dir.file(".filler");
        const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0) << std::strerror(errno);
        const std::string page(4096, 'x');
        while (::write(fd, page.data(), page.size()) > 0) {
        }
        // The last partial page, byte by byte.
        while (::write(fd, "x", 1) > 0) {
        }
        ::close(fd);
    }
    // Gives the space back.
    void empty() { ::unlink(m_dir.file(".filler").c_str()); }

private:
    TempDir m_dir;
    bool m_mounted = false;
};

} // namespace twtest

// Skips the calling test, with the reason, when no tmpfs can be mounted here.
#define TW_SKIP_WITHOUT_TMPFS()                                                                                        \
    do {                                                                                                               \
        std::string tmpfsWhy;                                                                                          \
        if (!::twtest::SmallTmpfs::usable(&tmpfsWhy)) {                                                                \
            GTEST_SKIP() << tmpfsWhy;                                                                                  \
        }                                                                                                              \
    } while (false)
