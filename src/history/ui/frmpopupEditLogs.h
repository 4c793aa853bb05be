#pragma once

#include "history/ui/LogEntryDialog.h"

namespace tw {

// "Edit log": a stored session changed by hand.
class frmpopupEditLogs : public LogEntryDialog {
    Q_OBJECT
public:
    explicit frmpopupEditLogs(QWidget* parent = nullptr);
    // Times to the minute, amounts and speeds as plain numbers.
    void setValues(const clsSessionData& session);
};

} // namespace tw
