#include "alarms/ui/editAlarmDialog.h"

#include "alarms/AlarmList.h"
#include "widgets/ui/UiText.h"

#include <QComboBox>
#include <QLineEdit>

namespace tw {

namespace {

void selectText(QComboBox* box, std::string_view wanted) {
    const int index = box->findText(toQString(wanted), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        box->setCurrentIndex(index);
    }
}

} // namespace

editAlarmDialog::editAlarmDialog(QWidget* parent) : AlarmRowDialog(parent, "Edit alarm", "Update") {
    setObjectName("editAlarmDialog");
}

void editAlarmDialog::setValues(std::string_view kindText, std::string_view periodText, std::string_view limitText) {
    selectText(m_kindCombo, kindText);
    selectText(m_periodCombo, periodText);
    // The unit is the last word: an amount typed with blanks around it keeps them.
    const auto [amount, unit] = splitLimit(limitText);
    m_amountText->setText(toQString(amount));
    selectText(m_unitCombo, unit);
}

} // namespace tw
