#include "alarms/alarmClass1.h"

#include "common/ByteUnits.h"
#include "common/NumberText.h"

#include <cmath>

namespace tw {

namespace {

template <std::size_t N>
void matchText(const std::array<std::string_view, N>& texts, std::string_view text, std::int32_t& field) {
    for (std::size_t i = 0; i < N; ++i) {
        if (texts[i] == text) {
            field = static_cast<std::int32_t>(i);
            return;
        }
    }
}

} // namespace

void alarmClass1::changeDay() {
    if (m_period == kPerDay) {
        m_triggered = false;
        m_shown = false;
    }
}

void alarmClass1::changeMonth() {
    if (m_period == kPerMonth) {
        m_triggered = false;
        m_shown = false;
    }
}

std::string alarmClass1::getString() const {
    static constexpr std::array<std::string_view, 6> kPrefixes = {"Download ",       "Upload ",       "Total transfer ",
                                                                  "Download speed ", "Upload speed ", "Total speed "};
    static constexpr std::array<std::string_view, 4> kPeriodWords = {"session", "day", "month", "second"};

    std::string text(kPrefixes[static_cast<std::size_t>(m_kind)]);
    text += "limit of ";
    text += limitText(m_limit);
    text += '/';
    text += kPeriodWords[static_cast<std::size_t>(m_period)];
    text += '.';
    return text;
}

void alarmClass1::init(std::string_view kindText, std::string_view periodText, double limit) {
    matchText(kKindTexts, kindText, m_kind);
    matchText(kPeriodTexts, periodText, m_period);
    m_limit = limit;
}

std::string limitText(double bytes) {
    const int unit = largestDividingUnit(bytes, kUnitGB);
    return decimalText(inUnit(bytes, unit)) + " " + std::string(kByteUnitNames[static_cast<std::size_t>(unit)]);
}

bool alarmClass1::checkValues(const dayObject& session, const dayObject& today, const dayObject& month) {
    double quantity = 0;
    const bool speedKind = m_kind >= kDownloadSpeed;
    if (m_period == kPerSecond) {
        if (!speedKind) {
            return false;
        }
        const double down = session.getLastDownloadRate();
        const double up = session.getLastUploadRate();
        quantity = m_kind == kDownloadSpeed ? down : m_kind == kUploadSpeed ? up : down + up;
    } else {
        if (speedKind) {
            return false;
        }
        const dayObject& record = m_period == kPerSession ? session : m_period == kPerDay ? today : month;
        const double down = record.getBytesReceived();
        const double up = record.getBytesSent();
        quantity = m_kind == kDownload ? down : m_kind == kUpload ? up : down + up;
    }
    if (quantity > m_limit) {
        m_triggered = true;
        return true;
    }
    return false;
}

} // namespace tw
