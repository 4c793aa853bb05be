#pragma once

#include "platform/ProcessList.h"

namespace tw {

class FakeProcessList final : public ProcessList {
public:
    std::vector<ProcessInfo> processes;
    std::string ownName = "tallywave";

    std::vector<ProcessInfo> snapshot() const override { return processes; }
    std::string ownExeFileName() const override { return ownName; }
};

} // namespace tw
