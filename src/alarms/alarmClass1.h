#pragma once

#include "history/dayObject.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

// One alarm: a limit on an amount per session, day or month, or on a speed per second. It remembers that it fired
// and whether the notification window listed it, until its day or month is over.
class alarmClass1 {
public:
    enum Kind : std::int32_t {
        kDownload = 0,
        kUpload = 1,
        kDownloadUpload = 2,
        kDownloadSpeed = 3,
        kUploadSpeed = 4,
        kTotalSpeed = 5,
    };
    enum Period : std::int32_t {
        kPerSession = 0,
        kPerDay = 1,
        kPerMonth = 2,
        kPerSecond = 3,
    };

    // The texts stored in the settings file and shown in the alarm list, indexed by code.
    static constexpr std::array<std::string_view, 6> kKindTexts = {"download",       "upload",       "download/upload",
                                                                   "download speed", "upload speed", "total speed"};
    static constexpr std::array<std::string_view, 4> kPeriodTexts = {"per session", "per day", "per month",
                                                                     "per second"};

    // Resets a per-day alarm (not triggered, not shown); others are untouched.
    void changeDay();
    // Resets a per-month alarm.
    void changeMonth();

    bool isTriggered() const { return m_triggered; }
    void setTriggered(bool v) { m_triggered = v; }
    bool isShown() const { return m_shown; }
    void setShown(bool v) { m_shown = v; }

    // "Download limit of 5 MB/day." and the like; the limit reads as limitText gives it.
    std::string getString() const;

    // Texts are matched exactly; a text that matches nothing leaves its field unchanged. The limit is kept as given.
    void init(std::string_view kindText, std::string_view periodText, double limit);

    // True when the rule's quantity is above the limit now (equality does not fire); then it is also triggered.
    // Speed kinds fire only per second, amount kinds never per second.
    bool checkValues(const dayObject& session, const dayObject& today, const dayObject& month);

    std::int32_t kind() const { return m_kind; }
    std::int32_t period() const { return m_period; }
    double limit() const { return m_limit; }
    std::string_view kindText() const { return kKindTexts[static_cast<std::size_t>(m_kind)]; }
    std::string_view periodText() const { return kPeriodTexts[static_cast<std::size_t>(m_period)]; }

private:
    std::int32_t m_period = kPerSession;
    std::int32_t m_kind = kDownload;
    double m_limit = 0;
    bool m_triggered = false;
    bool m_shown = false;
};

// A limit as the alarm texts show it: in the largest unit up to GB that divides it exactly ("1536 kB", "5 GB"); zero,
// negative and fractional amounts in bytes ("1.5 bytes").
std::string limitText(double bytes);

} // namespace tw
