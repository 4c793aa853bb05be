#pragma once

#include "alarms/alarmClass1.h"

#include <string>
#include <vector>

namespace tw {

// The alarm rules of the "Alarm" section, in the order of their rows ("Row1a" kind, "Row1b" period, "Row1c" limit).
// None when "AlarmDisabled" (default "1") reads as the number 1. A missing limit reads as -1.
std::vector<alarmClass1> loadAlarmRules(const std::string& settingsPath);

} // namespace tw
