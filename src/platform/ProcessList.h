#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tw {

struct ProcessInfo {
    long pid = 0;
    bool sameUser = false;   // runs under the user of this process
    std::string exeFileName; // file name of the executable only, lower-cased
};

// A one-shot snapshot of the machine's processes.
class ProcessList {
public:
    virtual ~ProcessList() = default;
    virtual std::vector<ProcessInfo> snapshot() const = 0;
    // File name of this process's executable, lower-cased (as the snapshot reports it).
    virtual std::string ownExeFileName() const = 0;
};

std::unique_ptr<ProcessList> makeSystemProcessList();

} // namespace tw
