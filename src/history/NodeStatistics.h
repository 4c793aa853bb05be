#pragma once

#include "history/ExactAmount.h"

#include <cstdint>
#include <vector>

namespace tw {

// Totals and statistics of one history node (year, month or day) over its children: sums, extremes, average and
// median of the received, sent and received-plus-sent amounts, and the highest speeds.
class NodeStatistics {
public:
    const ExactAmount& getDL() const { return m_dl; }
    const ExactAmount& getDLMin() const { return m_dlMin; }
    const ExactAmount& getDLMax() const { return m_dlMax; }
    const ExactAmount& getDLAve() const { return m_dlAve; }
    const ExactAmount& getDLMed() const { return m_dlMed; }
    const ExactAmount& getUL() const { return m_ul; }
    const ExactAmount& getULMin() const { return m_ulMin; }
    const ExactAmount& getULMax() const { return m_ulMax; }
    const ExactAmount& getULAve() const { return m_ulAve; }
    const ExactAmount& getULMed() const { return m_ulMed; }
    const ExactAmount& getTotalMin() const { return m_totalMin; }
    const ExactAmount& getTotalMax() const { return m_totalMax; }
    const ExactAmount& getTotalAve() const { return m_totalAve; }
    const ExactAmount& getTotalMed() const { return m_totalMed; }
    std::int32_t getMaxDLSpeed() const { return m_maxDLSpeed; }
    std::int32_t getMaxULSpeed() const { return m_maxULSpeed; }

    // Whole totals, for the charts and the empty test.
    WholeBytes downloadedBytes() const { return m_dl.numerator(); }
    WholeBytes uploadedBytes() const { return m_ul.numerator(); }

protected:
    struct ChildValues {
        WholeBytes downloaded = 0;
        WholeBytes uploaded = 0;
        std::int32_t maxDownloadSpeed = 0;
        std::int32_t maxUploadSpeed = 0;
    };

    // Replaces every value by the statistics of these children (all zero for none).
    void computeFrom(const std::vector<ChildValues>& children);
    bool totalsAreZero() const { return m_dl.numerator() <= 0 && m_ul.numerator() <= 0; }

private:
    ExactAmount m_dl, m_dlMin, m_dlMax, m_dlAve, m_dlMed;
    ExactAmount m_ul, m_ulMin, m_ulMax, m_ulAve, m_ulMed;
    ExactAmount m_totalMin, m_totalMax, m_totalAve, m_totalMed;
    std::int32_t m_maxDLSpeed = 0;
    std::int32_t m_maxULSpeed = 0;
};

} // namespace tw
