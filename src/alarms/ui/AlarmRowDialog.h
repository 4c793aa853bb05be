#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tw {

struct AlarmRow;
class alarmDialog2;

// The sentence "Raise an alert when [kind] [period] exceeds [amount] [unit]" shared by the add and edit dialogs.
// A speed kind can only be "per second"; an amount kind never is. The confirmed row goes straight into the alarm
// window's list.
class AlarmRowDialog : public QDialog {
    Q_OBJECT

public:
    // The row the dialog describes now: the amount exactly as typed, a blank and the unit.
    AlarmRow row() const;

protected:
    AlarmRowDialog(alarmDialog2& alarmWindow, const QString& caption, const QString& confirmText);

    // Puts the confirmed row into the alarm window's list.
    virtual void commit(const AlarmRow& row) = 0;
    alarmDialog2& alarmWindow() const { return m_alarmWindow; }

    QComboBox* m_kindCombo = nullptr;
    QComboBox* m_periodCombo = nullptr;
    QLineEdit* m_amountText = nullptr;
    QComboBox* m_unitCombo = nullptr;

private:
    void applyKind();
    void confirm();

    alarmDialog2& m_alarmWindow;
};

} // namespace tw
