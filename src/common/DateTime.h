#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// A local civil date and time, to the second. The default value is the classic "zero date",
// 1899-12-30 00:00:00, which is what an unset date means throughout the program.
struct DateTime {
    int year = 1899;
    int month = 12; // 1..12
    int day = 30;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;

    static DateTime fromCivil(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    // Seconds since 0001-01-01 00:00:00 of the proleptic Gregorian calendar; time zones play no part.
    static DateTime fromSerialSeconds(std::int64_t seconds);
    std::int64_t serialSeconds() const;
    std::int64_t serialDays() const; // whole days since 0001-01-01

    bool isZero() const { return *this == DateTime{}; }
    bool isValid() const;

    DateTime addSeconds(std::int64_t seconds) const { return fromSerialSeconds(serialSeconds() + seconds); }
    DateTime addDays(int days) const { return addSeconds(std::int64_t{days} * 86400); }
    DateTime startOfDay() const { return fromCivil(year, month, day); }
    DateTime withoutSeconds() const { return fromCivil(year, month, day, hour, minute); }
    int dayOfWeek() const; // 0 = Sunday .. 6 = Saturday

    bool sameDay(const DateTime& o) const { return year == o.year && month == o.month && day == o.day; }
    bool sameMonth(const DateTime& o) const { return year == o.year && month == o.month; }

    // "yyyy-mm-dd hh:mm", the history file's form.
    std::string toHistoryString() const;
    // "yyyy-mm-dd"
    std::string toDateString() const;
    // "hh:mm:ss"
    std::string toTimeString() const;
    // Accepts "yyyy-mm-dd hh:mm" and "yyyy-mm-dd hh:mm:ss" (leading and trailing blanks allowed) and "yyyy-mm-dd".
    static std::optional<DateTime> parse(std::string_view text);

    friend auto operator<=>(const DateTime&, const DateTime&) = default;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

int daysInMonth(int year, int month);
bool isLeapYear(int year);

// Days a billing month may start on: every month has them.
inline constexpr int kFirstMonthStartDay = 1;
inline constexpr int kLastMonthStartDay = 28;

// A billing month: from 00:00 of its start day in one month up to, not including, 00:00 of that day in the next.
// With start day 1 it is the calendar month.
struct MonthPeriod {
    DateTime start; // the first day, 00:00
    DateTime end;   // the first day of the next period, 00:00

    bool contains(const DateTime& t) const { return !(t < start) && t < end; }
    DateTime lastDay() const { return end.addDays(-1); }
    int days() const { return static_cast<int>(end.serialDays() - start.serialDays()); }

    friend bool operator==(const MonthPeriod&, const MonthPeriod&) = default;
};

// The billing month holding `date` when months start on `startDay` (held to 1..28).
MonthPeriod monthPeriodOf(const DateTime& date, int startDay);
DateTime monthPeriodStart(const DateTime& date, int startDay);

} // namespace tw
