#include "history/clsADTMonth.h"

#include "history/HistoryNodeChildren.h"

namespace tw {

const clsADTDay* clsADTMonth::findDay(int day) const {
    return historynodes::findChild(m_days, day);
}

void clsADTMonth::insertLog(const clsSessionData& session) {
    if (m_month == 0) {
        m_month = session.startDate.month;
    }
    historynodes::insertIntoChild(m_days, session.startDate.day, session);
}

bool clsADTMonth::deleteLog(const clsSessionData& session) {
    historynodes::deleteFromChild(m_days, session.startDate.day, session);
    recalcValues(false);
    return isEmpty();
}

void clsADTMonth::recalcValues(bool withChildren) {
    std::vector<ChildValues> values;
    values.reserve(m_days.size());
    for (clsADTDay& d : m_days) {
        if (withChildren) {
            d.recalcValues();
        }
        values.push_back({d.downloadedBytes(), d.uploadedBytes(), d.getMaxDLSpeed(), d.getMaxULSpeed()});
    }
    computeFrom(values);
}

bool clsADTMonth::holdsRunningSession() const {
    return historynodes::anyChildHoldsRunningSession(m_days);
}

} // namespace tw
