#pragma once

#include "alarms/ui/AlarmRowDialog.h"

#include <string_view>

namespace tw {

// "Edit alarm": the changed row for the alarm window, which puts it at the end of its list.
class editAlarmDialog : public AlarmRowDialog {
    Q_OBJECT

public:
    explicit editAlarmDialog(QWidget* parent = nullptr);

    // Preloads the controls from a row: kind and period by equal text, the limit split at its blank.
    void setValues(std::string_view kindText, std::string_view periodText, std::string_view limitText);
};

} // namespace tw
