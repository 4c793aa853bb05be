#pragma once

#include "config/IniFile.h"

#include <string>
#include <string_view>

namespace tw {

// Every key of settings.txt with its section and the default its readers apply. Keys read with different defaults
// by different windows have one constant per reader.
struct IniKey {
    std::string_view section;
    std::string_view key;
    std::string_view defaultValue;
};

// One column of a numbered list ("Row" n followed by the letter) and the default its readers apply.
struct IniRowColumn {
    char letter;
    std::string_view defaultValue;
};

inline constexpr std::string_view kSectionGeneral = "General";
inline constexpr std::string_view kSectionInterfaces = "Interfaces";
inline constexpr std::string_view kSectionAlarm = "Alarm";

// General
inline constexpr IniKey kBytesText{kSectionGeneral, "bytesText", "1"};
inline constexpr IniKey kBytesCombo{kSectionGeneral, "bytesCombo", "0"};
inline constexpr IniKey kRefreshCombo{kSectionGeneral, "refreshCombo", "2"};
inline constexpr IniKey kUnitCombo0{kSectionGeneral, "unitCombo_0", "0"}; // This session
inline constexpr IniKey kUnitCombo1{kSectionGeneral, "unitCombo_1", "0"}; // Today
inline constexpr IniKey kUnitCombo2{kSectionGeneral, "unitCombo_2", "0"}; // This month
inline constexpr IniKey kUnitCombos[3] = {kUnitCombo0, kUnitCombo1, kUnitCombo2};
inline constexpr IniKey kSpeedCombo{kSectionGeneral, "speedCombo", "0"};
inline constexpr IniKey kShowBarChart{kSectionGeneral, "showBarChart", "True"};
inline constexpr IniKey kChartVisible{kSectionGeneral, "chartVisible", "True"};
inline constexpr IniKey kMonthStartDay{kSectionGeneral, "monthStartDay", "1"};
inline constexpr IniKey kMonthlyAllowance{kSectionGeneral, "monthlyAllowance", "0"}; // bytes; 0 = none
// The log viewer's size when it was last closed; 0 until then (it then opens as large as its contents need).
inline constexpr IniKey kLogViewerWidth{kSectionGeneral, "logViewerWidth", "0"};
inline constexpr IniKey kLogViewerHeight{kSectionGeneral, "logViewerHeight", "0"};

// Interfaces
inline constexpr IniKey kAllInterfaces{kSectionInterfaces, "allInterfaces", "1"};
inline constexpr IniKey kNumInterfaces{kSectionInterfaces, "NumInterfaces", "0"};
inline constexpr IniRowColumn kInterfaceRowColumns[] = {{'a', "UNKNOWN"}, {'b', "Not defined"}};

// Alarm
inline constexpr IniKey kAlarmDisabled{kSectionAlarm, "AlarmDisabled", "1"};
inline constexpr IniKey kNumAlarms{kSectionAlarm, "NumAlarms", "0"};
inline constexpr IniRowColumn kAlarmRowColumnsAtStartUp[] = {{'a', "UNKNOWN"}, {'b', "UNKNOWN"}, {'c', "-1"}};
inline constexpr IniRowColumn kAlarmRowColumnsInAlarmWindow[] = {{'a', "UNKNOWN"}, {'b', "Not defined"}, {'c', "0"}};
inline constexpr IniKey kAudibleAlarmInAlarmWindow{kSectionAlarm, "AudibleAlarm", "1"};
inline constexpr IniKey kAudibleAlarmInNotification{kSectionAlarm, "AudibleAlarm", "0"};
// The default is the executable's folder + wakeup.wav (AppPaths::defaultSoundPath): pass it to readIni.
inline constexpr IniKey kAudioPath{kSectionAlarm, "AudioPath", ""};
inline constexpr IniKey kAutomaticDisconnect{kSectionAlarm, "automaticDisconnect", "0"};
inline constexpr IniKey kSecondsDelay{kSectionAlarm, "SecondsDelay", "10"};
inline constexpr IniKey kNoCancelDisconnect{kSectionAlarm, "NoCancelDisconnect", "0"};
inline constexpr IniKey kIsInvisibleInAlarmWindow{kSectionAlarm, "isInvisible", "1"};
inline constexpr IniKey kIsInvisibleInNotification{kSectionAlarm, "isInvisible", "0"};
inline constexpr IniKey kPercentInvisible{kSectionAlarm, "PercentInvisible", "0"};

inline std::string readIni(const std::string& file, const IniKey& key) {
    return readIniValue(file, key.section, key.key, key.defaultValue);
}
inline std::string readIni(const std::string& file, const IniKey& key, std::string_view defaultValue) {
    return readIniValue(file, key.section, key.key, defaultValue);
}
inline void writeIni(const std::string& file, const IniKey& key, std::string_view value) {
    writeIniValue(file, key.section, key.key, value);
}

} // namespace tw
