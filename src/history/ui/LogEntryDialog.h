#pragma once

// moc cannot parse the C++20 library headers these pull in.
#ifndef Q_MOC_RUN
#include "history/LogEntryCheck.h"
#endif

#include <QDate>
#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tw {

// The form the add and edit log dialogs share: a date, start and end times, amounts and speeds, checked on confirm.
class LogEntryDialog : public QDialog {
    Q_OBJECT
public:
    QDate date() const;
    LogEntryTexts texts() const;
    // The session typed in; meaningful after the dialog was accepted.
    clsSessionData session() const;

protected:
    LogEntryDialog(LogEntryDialogKind kind, const QString& caption, const QString& confirmText, QWidget* parent);
    void fill(const QDate& date, const QString& start, const QString& end, const QString& downloaded,
              const QString& uploaded, const QString& maxDown, const QString& maxUp);

private:
    void confirm();
    void cancel();
    QLineEdit* fieldOf(LogEntryField field) const;

    LogEntryDialogKind m_kind;
    QDateEdit* m_date = nullptr;
    QLabel* m_endDate = nullptr;
    QLineEdit* m_start = nullptr;
    QLineEdit* m_end = nullptr;
    QLineEdit* m_downloaded = nullptr;
    QLineEdit* m_uploaded = nullptr;
    QLineEdit* m_maxDown = nullptr;
    QLineEdit* m_maxUp = nullptr;
};

} // namespace tw
