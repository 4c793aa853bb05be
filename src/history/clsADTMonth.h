#pragma once

#include "history/NodeStatistics.h"
#include "history/clsADTDay.h"

#include <string>
#include <vector>

namespace tw {

// One month of the history tree: its days in the order they were first created.
class clsADTMonth : public NodeStatistics {
public:
    int Count() const { return static_cast<int>(m_days.size()); }
    int getMonth() const { return m_month; }
    int key() const { return m_month; }
    const std::vector<clsADTDay>& getDays() const { return m_days; }
    const clsADTDay* findDay(int day) const;

    void insertLog(const clsSessionData& session);
    // Recalculates this month (not its days); true when it is empty afterwards.
    bool deleteLog(const clsSessionData& session);
    // Statistics over the days that have sessions; withChildren recalculates the days first.
    void recalcValues(bool withChildren);

    bool isEmpty() const { return totalsAreZero() && !holdsRunningSession(); }
    bool holdsRunningSession() const;

private:
    int m_month = 0;
    std::vector<clsADTDay> m_days;
};

} // namespace tw
