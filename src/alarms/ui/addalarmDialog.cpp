#include "alarms/ui/addalarmDialog.h"

#include "alarms/AlarmList.h"
#include "alarms/ui/alarmDialog2.h"

namespace tw {

addalarmDialog::addalarmDialog(alarmDialog2& alarmWindow) : AlarmRowDialog(alarmWindow, "Add alarm", "OK") {
    setObjectName("addalarmDialog");
}

void addalarmDialog::commit(const AlarmRow& row) {
    alarmWindow().appendRow(row);
}

} // namespace tw
