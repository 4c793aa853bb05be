#include "support/FileRights.h"

#include <sys/fsuid.h>
#include <unistd.h>

namespace twtest {

bool withoutOwnersFileRights(const std::function<void()>& action) {
    const uid_t nobody = 65534;
    const auto before = ::setfsuid(::geteuid() == 0 ? nobody : ::geteuid());
    action();
    ::setfsuid(static_cast<uid_t>(before));
    return true;
}

} // namespace twtest
