#pragma once

#include "platform/ConnectionTable.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace tw::procfs {

// The processes that hold the sockets with these inode numbers, found through the "socket:[inode]" links in
// procRoot/PID/fd. Processes whose descriptors this user may not read are passed over, so their sockets have no
// owner here. A socket shared by several processes goes to the one met first. The walk ends once every socket has
// its owner.
std::unordered_map<std::uint64_t, SocketOwner> findSocketOwners(const std::unordered_set<std::uint64_t>& inodes,
                                                                const std::string& procRoot = "/proc");

} // namespace tw::procfs
