#include "history/dayObject.h"

#include "history/clsSessionData.h"

#include <cmath>

namespace tw {

void dayObject::reset() {
    m_discardedReceived = m_bytesReceived;
    m_discardedSent = m_bytesSent;
    m_maxDownloadRate = 0;
    m_maxUploadRate = 0;
}

std::string dayObject::getString() const {
    std::string line = m_date.toHistoryString();
    line += ';';
    line += m_stopDate.toHistoryString();
    line += ';';
    line += historyAmountText(std::nearbyint(netBytesReceived()));
    line += ';';
    line += historyAmountText(std::nearbyint(netBytesSent()));
    line += ';';
    line += std::to_string(m_maxDownloadRate);
    line += ';';
    line += std::to_string(m_maxUploadRate);
    line += ';';
    return line;
}

} // namespace tw
