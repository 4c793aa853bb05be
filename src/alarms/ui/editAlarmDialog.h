#pragma once

#include "alarms/ui/AlarmRowDialog.h"

#include <string_view>

namespace tw {

// "Edit alarm": replaces the selected row of the alarm window; the edited alarm moves to the end of the list.
class editAlarmDialog : public AlarmRowDialog {
    Q_OBJECT

public:
    explicit editAlarmDialog(alarmDialog2& alarmWindow);

    // Preloads the controls from a row: kind and period by equal text, the limit split at its blank.
    void setValues(std::string_view kindText, std::string_view periodText, std::string_view limitText);

protected:
    void commit(const AlarmRow& row) override;
};

} // namespace tw
