#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tw {

struct AlarmRow;

// The sentence "Raise an alert when [kind] [period] exceeds [amount] [unit]" shared by the add and edit dialogs.
// A speed kind can only be "per second"; an amount kind never is. The amount is checked on confirm; the host reads
// row() after exec() returned Accepted and puts it into its list.
class AlarmRowDialog : public QDialog {
    Q_OBJECT

public:
    // The row the dialog describes now: the amount exactly as typed, a blank and the unit.
    AlarmRow row() const;

protected:
    AlarmRowDialog(QWidget* parent, const QString& caption, const QString& confirmText);

    QComboBox* m_kindCombo = nullptr;
    QComboBox* m_periodCombo = nullptr;
    QLineEdit* m_amountText = nullptr;
    QComboBox* m_unitCombo = nullptr;

private:
    void applyKind();
    void confirm();
};

} // namespace tw
