#include "platform/linux/LinkLives.h"

#include <algorithm>

namespace tw {

namespace {
template <typename Lives> auto lowerBound(Lives& lives, std::uint32_t index) {
    return std::lower_bound(lives.begin(), lives.end(), index,
                            [](const auto& l, std::uint32_t i) { return l.index < i; });
}
} // namespace

std::uint64_t LinkLives::seen(std::uint32_t index) {
    auto it = lowerBound(m_current, index);
    if (it == m_current.end() || it->index != index) {
        it = m_current.insert(it, Life{index, ++m_count});
    }
    return it->life;
}

void LinkLives::gone(std::uint32_t index, bool haveCounters, std::uint64_t inOctets, std::uint64_t outOctets) {
    const auto it = lowerBound(m_current, index);
    if (it != m_current.end() && it->index == index) {
        end(it, haveCounters, inOctets, outOctets);
    }
}

void LinkLives::keepOnly(const std::vector<InterfaceRow>& present) {
    // Both lists are in index order: one walk through each.
    auto row = present.begin();
    for (auto it = m_current.begin(); it != m_current.end();) {
        while (row != present.end() && row->index < it->index) {
            ++row;
        }
        if (row != present.end() && row->index == it->index) {
            ++it;
        } else {
            it = end(it, false, 0, 0);
        }
    }
}

std::vector<LinkLives::Life>::iterator LinkLives::end(std::vector<Life>::iterator it, bool haveCounters,
                                                      std::uint64_t in, std::uint64_t out) {
    if (m_ended.size() == kEndedKept) {
        m_ended.erase(m_ended.begin());
    }
    m_ended.push_back(EndedLink{it->index, it->life, haveCounters, in, out});
    return m_current.erase(it);
}

} // namespace tw
