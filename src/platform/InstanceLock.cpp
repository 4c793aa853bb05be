#include "platform/InstanceLock.h"

#include <cstdint>

namespace tw {

std::string instanceLockName(const std::string& key) {
    constexpr std::size_t kReadablePart = 40;
    std::string name = "tallywave-";
    for (std::size_t i = 0; i < key.size() && i < kReadablePart; ++i) {
        const unsigned char c = static_cast<unsigned char>(key[i]);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        name += plain ? static_cast<char>(c) : '_';
    }
    // The readable part loses characters; a hash of the whole key keeps distinct keys apart.
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const unsigned char c : key) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    name += '-';
    for (int shift = 60; shift >= 0; shift -= 4) {
        name += kHex[(hash >> shift) & 0xF];
    }
    return name;
}

} // namespace tw
