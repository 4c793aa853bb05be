#include "alarms/ui/AlarmRowDialog.h"

#include "alarms/AlarmList.h"
#include "common/MessageSink.h"
#include "widgets/ui/MessageBoxes.h"
#include "widgets/ui/SelectOnFocus.h"
#include "widgets/ui/UiText.h"
#include "widgets/ui/UpDownButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

namespace {

constexpr int kFirstSpeedKind = alarmClass1::kDownloadSpeed;
constexpr int kAmountPeriods = 3; // "per session", "per day", "per month"

} // namespace

AlarmRowDialog::AlarmRowDialog(QWidget* parent, const QString& caption, const QString& confirmText) : QDialog(parent) {
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_kindCombo = new QComboBox(this);
    m_kindCombo->setObjectName("Combo2");
    m_kindCombo->addItems(toQStringList(alarmClass1::kKindTexts));
    m_periodCombo = new QComboBox(this);
    m_periodCombo->setObjectName("Combo1");
    m_periodCombo->addItems(toQStringList(std::span(alarmClass1::kPeriodTexts).first(kAmountPeriods)));
    m_amountText = new QLineEdit("1", this);
    selectAllOnFocus(m_amountText);
    m_amountText->setObjectName("amountText");
    m_amountText->setMinimumWidth(70);
    m_amountText->setMaximumWidth(110);
    auto* upDown = new UpDownButtons(m_amountText, 0, 1023, 1, this);
    upDown->setObjectName("amountUpDown");
    m_unitCombo = new QComboBox(this);
    m_unitCombo->setObjectName("totalCombo");
    m_unitCombo->addItems(toQStringList(kLimitUnits));

    auto* sentence = new QHBoxLayout;
    sentence->addWidget(new QLabel("Raise an alert when", this));
    sentence->addWidget(m_kindCombo);
    sentence->addWidget(m_periodCombo);
    sentence->addWidget(new QLabel("exceeds", this));
    auto* number = new QHBoxLayout;
    number->setSpacing(1);
    number->addWidget(m_amountText);
    number->addWidget(upDown);
    sentence->addLayout(number);
    sentence->addWidget(m_unitCombo);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(confirmText, QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    auto* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &AlarmRowDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sentence);
    layout->addWidget(buttons);

    connect(m_kindCombo, &QComboBox::currentIndexChanged, this, &AlarmRowDialog::applyKind);
}

void AlarmRowDialog::applyKind() {
    const bool speed = m_kindCombo->currentIndex() >= kFirstSpeedKind;
    const bool perSecondListed = m_periodCombo->count() > kAmountPeriods;
    if (speed) {
        if (!perSecondListed) {
            m_periodCombo->addItem(toQString(alarmClass1::kPeriodTexts[alarmClass1::kPerSecond]));
        }
        m_periodCombo->setCurrentIndex(alarmClass1::kPerSecond);
    } else if (perSecondListed) {
        m_periodCombo->removeItem(alarmClass1::kPerSecond);
        m_periodCombo->setCurrentIndex(alarmClass1::kPerSession);
    }
    m_periodCombo->setEnabled(!speed);
}

AlarmRow AlarmRowDialog::row() const {
    return {m_kindCombo->currentText().toStdString(), m_periodCombo->currentText().toStdString(),
            (m_amountText->text() + " " + m_unitCombo->currentText()).toStdString()};
}

void AlarmRowDialog::confirm() {
    const std::string problem = checkAlarmAmount(m_amountText->text().toStdString(), m_unitCombo->currentIndex());
    if (!problem.empty()) {
        showMessage(problem, MessageIcon::Critical);
        focusAndSelect(m_amountText);
        return;
    }
    accept();
}

} // namespace tw
