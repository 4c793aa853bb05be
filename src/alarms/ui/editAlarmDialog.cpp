#include "alarms/ui/editAlarmDialog.h"

#include "widgets/ui/UiText.h"

#include <QComboBox>
#include <QLineEdit>

namespace tw {

namespace {

void selectText(QComboBox* box, std::string_view wanted) {
    const int index = box->findText(toQString(wanted), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        box->setCurrentIndex(index);
}

} // namespace

editAlarmDialog::editAlarmDialog(QWidget* parent) : AlarmRowDialog(parent, "Edit alarm", "Update") {
    setObjectName("editAlarmDialog");
}

void editAlarmDialog::setValues(std::string_view kindText, std::string_view periodText, std::string_view limitText) {
    selectText(m_kindCombo, kindText);
    selectText(m_periodCombo, periodText);
    const auto blank = limitText.find(' ');
    m_amountText->setText(toQString(limitText.substr(0, blank)));
    if (blank != std::string_view::npos)
        selectText(m_unitCombo, limitText.substr(blank + 1));
}

} // namespace tw
