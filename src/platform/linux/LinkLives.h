#pragma once

#include "platform/NetworkTables.h"

#include <cstdint>
#include <vector>

namespace tw {

// Tells the lives of the links apart, from the link events and dumps of one network namespace: a link index that
// is deleted and created again begins a new life. Lives are numbered from 1 in the order they are first seen; the
// lives that ended are kept, with their final counters where the event carried them, in a bounded history.
class LinkLives {
public:
    static constexpr std::size_t kEndedKept = 128;

    // The link exists (a new-link event, or a row of a dump): its current life, begun now if it had none.
    std::uint64_t seen(std::uint32_t index);
    // The link was deleted (or left the namespace), with its last byte counters when known.
    void gone(std::uint32_t index, bool haveCounters, std::uint64_t inOctets, std::uint64_t outOctets);
    // After a complete dump of `present` (in index order): links it no longer holds ended unnoticed.
    void keepOnly(const std::vector<InterfaceRow>& present);

    std::uint64_t count() const { return m_count; }
    const std::vector<EndedLink>& ended() const { return m_ended; }

private:
    struct Life {
        std::uint32_t index = 0;
        std::uint64_t life = 0;
    };
    std::vector<Life>::iterator end(std::vector<Life>::iterator it, bool haveCounters, std::uint64_t in,
                                    std::uint64_t out);

    std::vector<Life> m_current; // in index order
    std::vector<EndedLink> m_ended;
    std::uint64_t m_count = 0;
};

} // namespace tw
