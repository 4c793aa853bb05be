#pragma once

#include "alarms/ui/AlarmRowDialog.h"

namespace tw {

// "Add alarm": a new row for the alarm window's list.
class addalarmDialog : public AlarmRowDialog {
    Q_OBJECT

public:
    explicit addalarmDialog(QWidget* parent = nullptr);
};

} // namespace tw
