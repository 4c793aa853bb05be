#pragma once

#include "history/NodeStatistics.h"
#include "history/clsSessionData.h"

#include <string>
#include <vector>

namespace tw {

// One day of the history tree: its sessions in ascending start order.
class clsADTDay : public NodeStatistics {
public:
    int Count() const { return static_cast<int>(m_sessions.size()); }
    int getDay() const { return m_day; }
    int key() const { return m_day; }
    const std::vector<clsSessionData>& getSessions() const { return m_sessions; }

    // After the sessions that start at or before it. The first session gives the day its key.
    void insertLog(const clsSessionData& session);
    // Removes the session equal to this one in every stored field, or when none is, the first session that starts
    // in the same minute (never the running one). Recalculates; true when the day is empty afterwards.
    bool deleteLog(const clsSessionData& session);
    // Appends the history line of every stored (not running) session, each ended by CR LF.
    void recalcValues();

    // Empty: no traffic left, and not holding the running session (which must stay visible).
    bool isEmpty() const { return totalsAreZero() && !holdsRunningSession(); }
    bool holdsRunningSession() const;

private:
    int m_day = 0;
    std::vector<clsSessionData> m_sessions;
};

// Same start minute, stop minute, amounts and speeds: how the viewer tells two sessions of one minute apart.
bool sameStoredSession(const clsSessionData& a, const clsSessionData& b);

} // namespace tw
