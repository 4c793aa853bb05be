#include "history/NodeStatistics.h"

#include <algorithm>

namespace tw {

namespace {

struct Spread {
    ExactAmount min, max, median;
};

// Reorders the values. Selection instead of a full sort: a whole-tree recalculation visits every day.
Spread spreadOf(std::vector<WholeBytes>& values) {
    const std::size_t n = values.size();
    Spread s;
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    s.min = *lowest;
    s.max = *highest;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(n / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (n % 2 == 1) {
        s.median = *middle;
    } else {
        const WholeBytes below = *std::max_element(values.begin(), middle);
        s.median = ExactAmount::ratio(below + *middle, 2);
    }
    return s;
}

} // namespace

void NodeStatistics::computeFrom(const std::vector<ChildValues>& children) {
    *this = NodeStatistics{};
    if (children.empty()) {
        return;
    }
    // Reused between calls: a whole-tree recalculation visits every day of a long history.
    thread_local std::vector<WholeBytes> down, up, total;
    down.clear();
    up.clear();
    total.clear();
    WholeBytes sumDown = 0;
    WholeBytes sumUp = 0;
    for (const ChildValues& c : children) {
        m_maxDLSpeed = std::max(m_maxDLSpeed, c.maxDownloadSpeed);
        m_maxULSpeed = std::max(m_maxULSpeed, c.maxUploadSpeed);
        sumDown += c.downloaded;
        sumUp += c.uploaded;
        down.push_back(c.downloaded);
        up.push_back(c.uploaded);
        total.push_back(c.downloaded + c.uploaded);
    }
    auto n = static_cast<std::int64_t>(children.size());
    m_dl = sumDown;
    m_ul = sumUp;
    m_dlAve = ExactAmount::ratio(sumDown, n);
    m_ulAve = ExactAmount::ratio(sumUp, n);
    m_totalAve = ExactAmount::ratio(sumDown + sumUp, n);
    Spread d = spreadOf(down);
    Spread u = spreadOf(up);
    Spread t = spreadOf(total);
    m_dlMin = d.min;
    m_dlMax = d.max;
    m_dlMed = d.median;
    m_ulMin = u.min;
    m_ulMax = u.max;
    m_ulMed = u.median;
    m_totalMin = t.min;
    m_totalMax = t.max;
    m_totalMed = t.median;
}

} // namespace tw
