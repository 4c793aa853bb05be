#include "platform/ProcessList.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace tw {

namespace {

// The kernel keeps at most this many characters of a process name in comm.
constexpr std::size_t kCommLength = 15;

std::string lowered(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct ProcStatus {
    bool readable = false;
    bool zombie = false;
    long uid = -1;
};

// "State:" and the real user id from "Uid:"; status is readable for every process, whoever runs it.
ProcStatus readStatus(const std::filesystem::path& dir) {
    std::istringstream in(readFile(dir / "status"));
    ProcStatus status;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("State:")) {
            status.zombie = line.find('Z') != std::string::npos;
        } else if (line.starts_with("Uid:")) {
            std::istringstream fields(line.substr(4));
            status.readable = static_cast<bool>(fields >> status.uid);
        }
    }
    return status;
}

// The executable's file name as any user may read it: comm, which the kernel cuts to 15 characters, completed from
// the file name of the first command-line argument when that begins with it. (exe, the real path, is readable only
// for one's own processes.)
std::string processName(const std::filesystem::path& dir) {
    std::string comm = readFile(dir / "comm");
    if (!comm.empty() && comm.back() == '\n') {
        comm.pop_back();
    }
    if (comm.size() >= kCommLength) {
        const std::string cmdline = readFile(dir / "cmdline");
        const std::string argv0 = std::filesystem::path(cmdline.substr(0, cmdline.find('\0'))).filename().string();
        if (argv0.size() > comm.size() && argv0.starts_with(comm)) {
            return lowered(argv0);
        }
    }
    return lowered(comm);
}

class ProcFsProcessList final : public ProcessList {
public:
    std::vector<ProcessInfo> snapshot() const override {
        std::vector<ProcessInfo> out;
        std::error_code ec;
        const auto me = static_cast<long>(getuid());
        for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
            const std::string name = entry.path().filename().string();
            if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
                continue;
            }
            const ProcStatus status = readStatus(entry.path());
            if (!status.readable || status.zombie) {
                continue; // gone meanwhile, or ended and only waiting for its parent
            }
            const std::string file = processName(entry.path());
            if (file.empty()) {
                continue;
            }
            out.push_back(ProcessInfo{std::stol(name), status.uid == me, file});
        }
        return out;
    }

    std::string ownExeFileName() const override {
        std::error_code ec;
        return lowered(std::filesystem::read_symlink("/proc/self/exe", ec).filename().string());
    }
};

} // namespace

std::unique_ptr<ProcessList> makeSystemProcessList() {
    return std::make_unique<ProcFsProcessList>();
}

} // namespace tw
