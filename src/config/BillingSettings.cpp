#include "config/BillingSettings.h"

#include "common/ByteUnits.h"
#include "common/DateTime.h"
#include "common/NumberText.h"
#include "config/SettingsKeys.h"

#include <cmath>

namespace tw {

BillingSettings loadBillingSettings(const std::string& settingsPath) {
    BillingSettings billing;
    const int day = iniToInt(readIni(settingsPath, kMonthStartDay), kFirstMonthStartDay);
    if (day >= kFirstMonthStartDay && day <= kLastMonthStartDay) {
        billing.monthStartDay = day;
    }
    const double allowance = std::nearbyint(iniToDouble(readIni(settingsPath, kMonthlyAllowance), 0));
    if (allowance > 0 && allowance <= kMaxMonthlyAllowance) {
        billing.monthlyAllowance = allowance;
    }
    return billing;
}

AllowanceCheck checkMonthlyAllowance(std::string_view amount, int unitIndex) {
    AllowanceCheck check;
    const auto value = parseNumber(amount);
    if (!value) {
        check.message = "Monthly allowance must be numeric!";
        return check;
    }
    if (*value < 0) {
        check.message = "Monthly allowance can't be negative!";
        return check;
    }
    const double bytes = std::nearbyint(*value * bytesPerUnit(unitIndex));
    if (bytes > kMaxMonthlyAllowance) {
        check.message = "Monthly allowance too large!\nMaximum value is " +
                        decimalText(inUnit(kMaxMonthlyAllowance, kUnitGB)) + " GB.";
        return check;
    }
    check.ok = true;
    check.bytes = bytes;
    return check;
}

} // namespace tw
