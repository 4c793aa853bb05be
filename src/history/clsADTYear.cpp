#include "history/clsADTYear.h"

#include "history/HistoryNodeChildren.h"

namespace tw {

const clsADTMonth* clsADTYear::findMonth(int month) const {
    return historynodes::findChild(m_months, month);
}

void clsADTYear::insertLog(const clsSessionData& session) {
    if (m_year == 0) {
        m_year = session.startDate.year;
    }
    historynodes::insertIntoChild(m_months, session.startDate.month, session);
}

bool clsADTYear::deleteLog(const clsSessionData& session) {
    historynodes::deleteFromChild(m_months, session.startDate.month, session);
    recalcValues(false);
    return isEmpty();
}

void clsADTYear::recalcValues(bool withChildren) {
    std::vector<ChildValues> values;
    values.reserve(m_months.size());
    for (clsADTMonth& m : m_months) {
        if (withChildren) {
            m.recalcValues(true);
        }
        values.push_back({m.downloadedBytes(), m.uploadedBytes(), m.getMaxDLSpeed(), m.getMaxULSpeed()});
    }
    computeFrom(values);
}

bool clsADTYear::holdsRunningSession() const {
    return historynodes::anyChildHoldsRunningSession(m_months);
}

} // namespace tw
