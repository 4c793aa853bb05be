#include "app/StartupChecks.h"

#include "common/MessageSink.h"
#include "platform/ProcessList.h"

namespace tw {

bool anotherUserRunsCopy(const ProcessList& processes) {
    const std::string own = processes.ownExeFileName();
    if (own.empty()) {
        return false;
    }
    for (const ProcessInfo& p : processes.snapshot()) {
        if (!p.sameUser && p.exeFileName == own) {
            return true;
        }
    }
    return false;
}

std::string anotherUserMessage() {
    const std::string title(kAppTitle);
    return "Another user logged on to this computer is already running " + title + ".\nSwitch to that user and run " +
           title + " from there.";
}

} // namespace tw
