#include "history/ui/frmpopupEditLogs.h"

#include "history/ExactAmount.h"

namespace tw {

namespace {

QString timeText(const DateTime& d) {
    return QString::asprintf("%02d:%02d", d.hour, d.minute);
}

QString plainAmount(double amount) {
    return QString::fromStdString(wholeBytesToString(wholeBytesFromDouble(amount)));
}

} // namespace

frmpopupEditLogs::frmpopupEditLogs(QWidget* parent)
    : LogEntryDialog(LogEntryDialogKind::Edit, tr("Edit log"), tr("Update"), parent) {
    setObjectName(QStringLiteral("frmpopupEditLogs"));
}

void frmpopupEditLogs::setValues(const clsSessionData& session) {
    const DateTime& start = session.startDate;
    fill(QDate(start.year, start.month, start.day), timeText(start), timeText(session.stopDate),
         plainAmount(session.downloaded), plainAmount(session.uploaded), QString::number(session.maxDownloadSpeed),
         QString::number(session.maxUploadSpeed));
}

} // namespace tw
