#include "platform/ProcessList.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

namespace {

std::string lowerFileName(const std::filesystem::path& p) {
    std::string name = p.filename().string();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name;
}

class ProcFsProcessList final : public ProcessList {
public:
    std::vector<ProcessInfo> snapshot() const override {
        std::vector<ProcessInfo> out;
        std::error_code ec;
        const uid_t me = getuid();
        for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
            const std::string name = entry.path().filename().string();
            if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
                continue;
            }
            std::error_code linkEc;
            const auto exe = std::filesystem::read_symlink(entry.path() / "exe", linkEc);
            if (linkEc) {
                continue; // another user's process without ptrace rights, or a kernel thread
            }
            struct stat st {};
            if (::stat(entry.path().c_str(), &st) != 0) {
                continue;
            }
            std::string file = exe.string();
            // A replaced executable reads "path (deleted)".
            if (constexpr std::string_view kDeleted = " (deleted)"; file.ends_with(kDeleted)) {
                file.resize(file.size() - kDeleted.size());
            }
            out.push_back(ProcessInfo{std::stol(name), st.st_uid == me, lowerFileName(file)});
        }
        return out;
    }

    std::string ownExeFileName() const override {
        std::error_code ec;
        return lowerFileName(std::filesystem::read_symlink("/proc/self/exe", ec));
    }
};

} // namespace

std::unique_ptr<ProcessList> makeSystemProcessList() { return std::make_unique<ProcFsProcessList>(); }

} // namespace tw
