#pragma once

#include "common/DateTime.h"

#include <cstdint>
#include <string>

namespace tw {

// Counter record of one period (this session, today, this month). Amounts are whole byte counts held in doubles
// (exact to 2^53); the net amount is the raw amount minus the part discarded by the last reset().
class dayObject {
public:
    double getBytesReceived() const { return m_bytesReceived; }
    void setBytesReceived(double v) { m_bytesReceived = v; }
    double getBytesSent() const { return m_bytesSent; }
    void setBytesSent(double v) { m_bytesSent = v; }
    double getDiscardedBytesReceived() const { return m_discardedReceived; }
    double getDiscardedBytesSent() const { return m_discardedSent; }
    double netBytesReceived() const { return m_bytesReceived - m_discardedReceived; }
    double netBytesSent() const { return m_bytesSent - m_discardedSent; }

    // Net amounts become zero, maximum rates 0; raw counters, dates and last rates stay.
    void reset();

    DateTime getDate() const { return m_date; }
    void setDate(DateTime d) { m_date = d; }
    DateTime getStopDate() const { return m_stopDate; }
    void setStopDate(DateTime d) { m_stopDate = d; }

    // The history line: "start;stop;net received;net sent;max down;max up;" (no line end).
    std::string getString() const;

    std::int32_t getMaxDownloadRate() const { return m_maxDownloadRate; }
    void setMaxDownloadRate(std::int32_t v) { m_maxDownloadRate = v; }
    std::int32_t getMaxUploadRate() const { return m_maxUploadRate; }
    void setMaxUploadRate(std::int32_t v) { m_maxUploadRate = v; }
    std::int32_t getLastUploadRate() const { return m_lastUploadRate; }
    void setLastUploadRate(std::int32_t v) { m_lastUploadRate = v; }
    std::int32_t getLastDownloadRate() const { return m_lastDownloadRate; }
    void setLastDownloadRate(std::int32_t v) { m_lastDownloadRate = v; }

private:
    double m_bytesReceived = 0;
    double m_bytesSent = 0;
    double m_discardedReceived = 0;
    double m_discardedSent = 0;
    DateTime m_date;
    DateTime m_stopDate;
    std::int32_t m_maxDownloadRate = 0;
    std::int32_t m_maxUploadRate = 0;
    std::int32_t m_lastUploadRate = 0;
    std::int32_t m_lastDownloadRate = 0;
};

} // namespace tw
