#include "alarms/AlarmRules.h"

#include "config/NumberedRows.h"
#include "config/SettingsKeys.h"

namespace tw {

std::vector<alarmClass1> loadAlarmRules(const std::string& settingsPath) {
    std::vector<alarmClass1> rules;
    if (iniToDouble(readIni(settingsPath, kAlarmDisabled)) == 1)
        return rules;
    for (const IniRow& row : readNumberedRows(settingsPath, kNumAlarms, kAlarmRowColumnsAtStartUp)) {
        alarmClass1 rule;
        rule.init(row[0], row[1], iniToDouble(row[2]));
        rules.push_back(rule);
    }
    return rules;
}

} // namespace tw
