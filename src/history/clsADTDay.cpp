#include "history/clsADTDay.h"

#include <algorithm>

namespace tw {

bool sameStoredSession(const clsSessionData& a, const clsSessionData& b) {
    return a.startDate.withoutSeconds() == b.startDate.withoutSeconds() &&
           a.stopDate.withoutSeconds() == b.stopDate.withoutSeconds() && a.downloaded == b.downloaded &&
           a.uploaded == b.uploaded && a.maxDownloadSpeed == b.maxDownloadSpeed &&
           a.maxUploadSpeed == b.maxUploadSpeed && a.isCurrent == b.isCurrent;
}

void clsADTDay::insertLog(const clsSessionData& session) {
    if (m_day == 0) {
        m_day = session.startDate.day;
    }
    auto later = std::upper_bound(m_sessions.begin(), m_sessions.end(), session.startDate,
                                  [](const DateTime& start, const clsSessionData& s) { return start < s.startDate; });
    m_sessions.insert(later, session);
}

bool clsADTDay::deleteLog(const clsSessionData& session) {
    auto it = std::find_if(m_sessions.begin(), m_sessions.end(),
                           [&](const clsSessionData& s) { return sameStoredSession(s, session); });
    if (it == m_sessions.end()) {
        DateTime minute = session.startDate.withoutSeconds();
        it = std::find_if(m_sessions.begin(), m_sessions.end(), [&](const clsSessionData& s) {
            return !s.isCurrent && s.startDate.withoutSeconds() == minute;
        });
    }
    if (it != m_sessions.end()) {
        m_sessions.erase(it);
    }
    recalcValues();
    return isEmpty();
}

void clsADTDay::recalcValues() {
    thread_local std::vector<ChildValues> values;
    values.clear();
    for (const clsSessionData& s : m_sessions) {
        values.push_back({wholeBytesFromDouble(s.downloaded), wholeBytesFromDouble(s.uploaded), s.maxDownloadSpeed,
                          s.maxUploadSpeed});
    }
    computeFrom(values);
}

bool clsADTDay::holdsRunningSession() const {
    return std::any_of(m_sessions.begin(), m_sessions.end(), [](const clsSessionData& s) { return s.isCurrent; });
}

} // namespace tw
