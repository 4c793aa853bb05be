#include "alarms/ui/addalarmDialog.h"

namespace tw {

addalarmDialog::addalarmDialog(QWidget* parent) : AlarmRowDialog(parent, "Add alarm", "OK") {
    setObjectName("addalarmDialog");
}

} // namespace tw
