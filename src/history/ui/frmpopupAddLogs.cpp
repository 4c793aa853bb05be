#include "history/ui/frmpopupAddLogs.h"

namespace tw {

frmpopupAddLogs::frmpopupAddLogs(QWidget* parent)
    : LogEntryDialog(LogEntryDialogKind::Add, tr("Add log"), tr("Add"), parent) {
    setObjectName(QStringLiteral("frmpopupAddLogs"));
}

void frmpopupAddLogs::setValues(const QDate& date) {
    const QString zero = QStringLiteral("0");
    fill(date, QStringLiteral("00:00"), QStringLiteral("23:59"), zero, zero, zero, zero);
}

} // namespace tw
