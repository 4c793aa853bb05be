#include "common/DateTime.h"

#include <charconv>
#include <cstdio>

namespace tw {

namespace {

// Howard Hinnant's days-from-civil, shifted so that 0001-01-01 is day 0.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468 + 719162;
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468 - 719162;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int>(y + (m <= 2));
    month = static_cast<int>(m);
    day = static_cast<int>(d);
}

bool readInt(std::string_view text, std::size_t pos, std::size_t len, int& out) {
    if (pos + len > text.size()) {
        return false;
    }
    for (std::size_t i = pos; i < pos + len; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    std::from_chars(text.data() + pos, text.data() + pos + len, out);
    return true;
}

} // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

MonthPeriod monthPeriodOf(const DateTime& date, int startDay) {
    const int day = startDay < kFirstMonthStartDay  ? kFirstMonthStartDay
                    : startDay > kLastMonthStartDay ? kLastMonthStartDay
                                                    : startDay;
    int year = date.year;
    int month = date.month;
    if (date.day < day) {
        month -= 1;
        if (month == 0) {
            month = 12;
            year -= 1;
        }
    }
    const int nextYear = month == 12 ? year + 1 : year;
    const int nextMonth = month == 12 ? 1 : month + 1;
    return {DateTime::fromCivil(year, month, day), DateTime::fromCivil(nextYear, nextMonth, day)};
}

DateTime monthPeriodStart(const DateTime& date, int startDay) {
    return monthPeriodOf(date, startDay).start;
}

DateTime DateTime::fromCivil(int year, int month, int day, int hour, int minute, int second) {
    return DateTime{year, month, day, hour, minute, second};
}

DateTime DateTime::fromSerialSeconds(std::int64_t seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    DateTime t;
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

std::int64_t DateTime::serialDays() const {
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
}

std::int64_t DateTime::serialSeconds() const {
    return serialDays() * 86400 + hour * 3600 + minute * 60 + second;
}

bool DateTime::isValid() const {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month) &&
           hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

int DateTime::dayOfWeek() const {
    // 0001-01-01 was a Monday.
    const std::int64_t d = (serialDays() + 1) % 7;
    return static_cast<int>(d < 0 ? d + 7 : d);
}

std::string DateTime::toHistoryString() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", year, month, day, hour, minute);
    return buf;
}

std::string DateTime::toDateString() const {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
    return buf;
}

std::string DateTime::toTimeString() const {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hour, minute, second);
    return buf;
}

std::optional<DateTime> DateTime::parse(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    DateTime t;
    if (!readInt(text, 0, 4, t.year) || text.size() < 10 || text[4] != '-' || !readInt(text, 5, 2, t.month) ||
        text[7] != '-' || !readInt(text, 8, 2, t.day)) {
        return std::nullopt;
    }
    t.hour = t.minute = t.second = 0;
    if (text.size() > 10) {
        if (text.size() < 16 || text[10] != ' ' || !readInt(text, 11, 2, t.hour) || text[13] != ':' ||
            !readInt(text, 14, 2, t.minute)) {
            return std::nullopt;
        }
        if (text.size() > 16 && (text.size() != 19 || text[16] != ':' || !readInt(text, 17, 2, t.second))) {
            return std::nullopt;
        }
    }
    if (!t.isValid()) {
        return std::nullopt;
    }
    return t;
}

} // namespace tw
