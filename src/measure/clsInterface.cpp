#include "measure/clsInterface.h"

#include <algorithm>

namespace tw {

void clsInterface::setFirstTime(bool firstTime) {
    m_firstTime = firstTime;
    if (firstTime) {
        m_baselines.clear();
    }
}

std::uint64_t clsInterface::getDiscardedDL() const {
    std::uint64_t sum = 0;
    for (const RowBaseline& b : m_baselines) {
        sum += b.in;
    }
    return sum;
}

std::uint64_t clsInterface::getDiscardedUL() const {
    std::uint64_t sum = 0;
    for (const RowBaseline& b : m_baselines) {
        sum += b.out;
    }
    return sum;
}

void clsInterface::reset() {
    m_baselines.clear();
    m_firstTime = true;
    m_type = 0;
    m_name = "** Not set **";
}

const RowBaseline* clsInterface::baseline(std::uint32_t ifIndex) const {
    for (const RowBaseline& b : m_baselines) {
        if (b.ifIndex == ifIndex) {
            return &b;
        }
    }
    return nullptr;
}

void clsInterface::setBaseline(const RowBaseline& baseline) {
    for (RowBaseline& b : m_baselines) {
        if (b.ifIndex == baseline.ifIndex) {
            b = baseline;
            return;
        }
    }
    m_baselines.push_back(baseline);
}

void clsInterface::forgetBaseline(std::uint32_t ifIndex) {
    std::erase_if(m_baselines, [ifIndex](const RowBaseline& b) { return b.ifIndex == ifIndex; });
}

void clsInterface::forgetBaselinesNotSeenIn(std::uint64_t update) {
    std::erase_if(m_baselines, [update](const RowBaseline& b) { return b.update != update; });
}

} // namespace tw
