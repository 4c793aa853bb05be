#pragma once

#include "alarms/ui/AlarmRowDialog.h"

namespace tw {

// "Add alarm": appends the new row to the alarm window's list.
class addalarmDialog : public AlarmRowDialog {
    Q_OBJECT

public:
    explicit addalarmDialog(alarmDialog2& alarmWindow);

protected:
    void commit(const AlarmRow& row) override;
};

} // namespace tw
