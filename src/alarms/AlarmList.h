#pragma once

#include "alarms/alarmClass1.h"
#include "common/ByteUnits.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// One row of the alarm window's list: kind text, period text, and the limit as a number, a blank and a unit
// ("5 MB").
struct AlarmRow {
    std::string kind;
    std::string period;
    std::string limit;

    bool operator==(const AlarmRow&) const = default;
};

// Units of the limit: bytes to GB.
inline constexpr std::span<const std::string_view, 4> kLimitUnits(kByteUnitNames.data(), 4);

// A limit text split at its last blank: the amount as typed (blanks typed around it included) and the unit.
struct LimitParts {
    std::string_view amount;
    std::string_view unit;
};
LimitParts splitLimit(std::string_view text);

// The limit of a list text (limitText) in bytes ("1.5 kB" -> 1536); nothing when the text is not a number and a
// unit.
std::optional<double> limitBytes(std::string_view text);

// Removes every row equivalent to an earlier one (same kind, same period, same limit in bytes); the earlier row
// survives. Returns the number of rows removed, one per equivalent pair found.
int removeEquivalentAlarms(std::vector<AlarmRow>& rows);

// The amount typed in the add and edit dialogs, with its unit index. Empty when acceptable, else the message.
std::string checkAlarmAmount(std::string_view amount, int unitIndex);

// The running rules for the list: none when all alarms are disabled.
std::vector<alarmClass1> buildAlarmRules(const std::vector<AlarmRow>& rows, bool disabled);

// The alarm rules of the "Alarm" section, in the order of their rows ("Row1a" kind, "Row1b" period, "Row1c" limit).
// None when "AlarmDisabled" (default "1") reads as the number 1. A missing limit reads as -1.
std::vector<alarmClass1> loadAlarmRules(const std::string& settingsPath);

} // namespace tw
