#pragma once

#include <memory>
#include <string>

namespace tw {

// Tells whether an earlier copy of the program already runs for this user (in this session on Windows). A lock is
// held until the object is destroyed or the process ends, however it ends: a crashed copy never blocks the next.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // True when this object now holds the lock named by the key (any text, e.g. the data folder's path); false when
    // another holder has it. Asking again for a key this object holds answers true.
    virtual bool tryAcquire(const std::string& key) = 0;
};

std::unique_ptr<InstanceLock> makeSystemInstanceLock();

// The key turned into a name usable for a file or a kernel object: readable, bounded, and distinct for distinct keys.
std::string instanceLockName(const std::string& key);

} // namespace tw
