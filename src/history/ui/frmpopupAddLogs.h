#pragma once

#include "history/ui/LogEntryDialog.h"

namespace tw {

// "Add log": a new session typed in by hand.
class frmpopupAddLogs : public LogEntryDialog {
    Q_OBJECT
public:
    explicit frmpopupAddLogs(QWidget* parent = nullptr);
    // The date offered; the whole day, no traffic.
    void setValues(const QDate& date);
};

} // namespace tw
