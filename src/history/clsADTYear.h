#pragma once

#include "history/NodeStatistics.h"
#include "history/clsADTMonth.h"

#include <string>
#include <vector>

namespace tw {

// One year of the history tree: its months in the order they were first created.
class clsADTYear : public NodeStatistics {
public:
    int Count() const { return static_cast<int>(m_months.size()); }
    int getYear() const { return m_year; }
    int key() const { return m_year; }
    const std::vector<clsADTMonth>& getMonths() const { return m_months; }
    const clsADTMonth* findMonth(int month) const;

    void insertLog(const clsSessionData& session);
    // Recalculates this year (not its months); true when it is empty afterwards.
    bool deleteLog(const clsSessionData& session);
    // Statistics over the months that have sessions; withChildren recalculates the months first.
    void recalcValues(bool withChildren);

    bool isEmpty() const { return totalsAreZero() && !holdsRunningSession(); }
    bool holdsRunningSession() const;

private:
    int m_year = 0;
    std::vector<clsADTMonth> m_months;
};

} // namespace tw
