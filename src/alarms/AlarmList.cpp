#include "alarms/AlarmList.h"

#include "common/NumberText.h"
#include "config/NumberedRows.h"
#include "config/SettingsKeys.h"

#include <cmath>

namespace tw {

namespace {

// Limits go through a 96-bit decimal: just below 2 to the power 96.
constexpr double kMaxAlarmValue = 7.92281625142643E+28;

} // namespace

LimitParts splitLimit(std::string_view text) {
    const auto blank = text.rfind(' ');
    if (blank == std::string_view::npos) {
        return {text, {}};
    }
    return {text.substr(0, blank), text.substr(blank + 1)};
}

std::optional<double> limitBytes(std::string_view text) {
    const auto [amount, unit] = splitLimit(text);
    const auto value = parseNumber(amount);
    for (std::size_t i = 0; i < kLimitUnits.size(); ++i) {
        if (value && kLimitUnits[i] == unit) {
            return *value * bytesPerUnit(static_cast<int>(i));
        }
    }
    return std::nullopt;
}

int removeEquivalentAlarms(std::vector<AlarmRow>& rows) {
    int removed = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = i + 1; j < rows.size();) {
            const bool equivalent = rows[i].kind == rows[j].kind && rows[i].period == rows[j].period &&
                                    limitBytes(rows[i].limit) == limitBytes(rows[j].limit);
            if (equivalent) {
                rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(j));
                ++removed;
            } else {
                ++j;
            }
        }
    }
    return removed;
}

std::string checkAlarmAmount(std::string_view amount, int unitIndex) {
    const auto value = parseNumber(amount);
    if (!value) {
        return "Alarm value must be numeric!";
    }
    if (std::fabs(*value) > kMaxAlarmValue || *value * bytesPerUnit(unitIndex) > kMaxAlarmValue) {
        return "Alarm value too large!\nMaximum value is LARGE, but not that large...";
    }
    if (*value < 0) {
        return "Alarm value can't be negative!";
    }
    return {};
}

std::vector<alarmClass1> buildAlarmRules(const std::vector<AlarmRow>& rows, bool disabled) {
    std::vector<alarmClass1> rules;
    if (disabled) {
        return rules;
    }
    for (const AlarmRow& row : rows) {
        alarmClass1 rule;
        rule.init(row.kind, row.period, limitBytes(row.limit).value_or(0));
        rules.push_back(rule);
    }
    return rules;
}

std::vector<alarmClass1> loadAlarmRules(const std::string& settingsPath) {
    std::vector<alarmClass1> rules;
    if (iniToDouble(readIni(settingsPath, kAlarmDisabled)) == 1) {
        return rules;
    }
    for (const IniRow& row : readNumberedRows(settingsPath, kNumAlarms, kAlarmRowColumnsAtStartUp)) {
        alarmClass1 rule;
        rule.init(row[0], row[1], iniToDouble(row[2]));
        rules.push_back(rule);
    }
    return rules;
}

} // namespace tw
