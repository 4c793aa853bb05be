#pragma once

#include <string>
#include <string_view>

namespace tw {

// How the user's connection is billed: the day the billing month starts on and the traffic it allows. The
// defaults (the calendar month, no allowance) leave every month total as it always was.
struct BillingSettings {
    int monthStartDay = 1;       // 1..28
    double monthlyAllowance = 0; // whole bytes; 0 = none
};

// "monthStartDay" (outside 1..28 counts as 1) and "monthlyAllowance" (not a number, negative or beyond 2^53 counts
// as none; rounded to whole bytes).
BillingSettings loadBillingSettings(const std::string& settingsPath);

// The allowance as the settings window takes it: a number typed by the user and a unit (0 bytes .. 3 GB).
struct AllowanceCheck {
    bool ok = false;
    double bytes = 0; // whole bytes, when ok
    std::string message;
};
AllowanceCheck checkMonthlyAllowance(std::string_view amount, int unitIndex);

// The largest whole bytes an allowance may hold: where doubles stop counting single bytes.
inline constexpr double kMaxMonthlyAllowance = 9007199254740992.0; // 2^53

} // namespace tw
