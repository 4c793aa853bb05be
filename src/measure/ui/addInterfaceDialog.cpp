#include "measure/ui/addInterfaceDialog.h"

#include "measure/IpPattern.h"
#include "widgets/ui/MessageBoxes.h"
#include "widgets/ui/UiText.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tw {

namespace {

QLabel* wrappedLabel(const char* objectName, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    label->setContentsMargins(20, 0, 0, 0);
    return label;
}

} // namespace

addInterfaceDialog::addInterfaceDialog(const InterfaceChoices& choices, std::vector<MonitoredConnection> existing,
                                       QWidget* parent)
    : QDialog(parent), m_existing(std::move(existing)) {
    build();
    fill(choices.addresses, choices.descriptions);
}

std::optional<MonitoredConnection>
addInterfaceDialog::pick(const InterfaceChoices& choices, std::vector<MonitoredConnection> existing, QWidget* parent) {
    addInterfaceDialog dialog(choices, std::move(existing), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.connection();
}

void addInterfaceDialog::build() {
    setWindowTitle(QStringLiteral("Add connection"));
    auto* layout = new QVBoxLayout(this);
    m_options = new QButtonGroup(this);

    const QString captions[] = {QStringLiteral("Hardware interface"), QStringLiteral("Found IP"),
                                QStringLiteral("Own IP")};
    QRadioButton* option[3];
    for (int i = 0; i < 3; ++i) {
        option[i] = new QRadioButton(captions[i], this);
        option[i]->setObjectName(QStringLiteral("Option1"));
        option[i]->setProperty("index", i);
        m_options->addButton(option[i], i);
    }

    m_label1 =
        wrappedLabel("Label1", QStringLiteral("These are the interfaces found when scanning your computer."), this);
    m_interfaceCombo = new QComboBox(this);
    m_interfaceCombo->setObjectName(QStringLiteral("interfaceCombo"));
    m_label2 = wrappedLabel(
        "Label2", QStringLiteral("Choose one IP from the list of currently available interface's IPs."), this);
    m_ipCombo = new QComboBox(this);
    m_ipCombo->setObjectName(QStringLiteral("ipCombo"));
    m_label3 = wrappedLabel("Label3",
                            QStringLiteral("You may also specify an IP or IP range in the textbox below. "
                                           "(Eg. 212.217.242.16 or 212.217.*.*)"),
                            this);
    m_ipText = new QLineEdit(this);
    m_ipText->setObjectName(QStringLiteral("ipText"));

    layout->addWidget(option[kHardwareInterface]);
    layout->addWidget(m_label1);
    layout->addWidget(m_interfaceCombo);
    layout->addSpacing(8);
    layout->addWidget(option[kFoundIp]);
    layout->addWidget(m_label2);
    layout->addWidget(m_ipCombo);
    layout->addSpacing(8);
    layout->addWidget(option[kOwnIp]);
    layout->addWidget(m_label3);
    layout->addWidget(m_ipText);

    m_okButton = new QPushButton(QStringLiteral("Add"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    connect(m_options, &QButtonGroup::idClicked, this, &addInterfaceDialog::applyOption);
    connect(m_okButton, &QPushButton::clicked, this, &addInterfaceDialog::add);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void addInterfaceDialog::fill(const std::vector<std::string>& addresses, const std::vector<std::string>& descriptions) {
    for (const std::string& a : addresses) {
        m_ipCombo->addItem(toQString(a));
    }
    m_ipCombo->setCurrentIndex(addresses.empty() ? -1 : 0);
    for (const std::string& d : descriptions) {
        m_interfaceCombo->addItem(toQString(d));
    }
    m_interfaceCombo->setCurrentIndex(descriptions.empty() ? -1 : 0);
    m_ipText->setText(QStringLiteral("123.123.123.*"));
    m_options->button(kHardwareInterface)->setChecked(true);
    applyOption(kHardwareInterface);
}

void addInterfaceDialog::applyOption(int option) {
    m_label1->setEnabled(option == kHardwareInterface);
    m_interfaceCombo->setEnabled(option == kHardwareInterface);
    m_label2->setEnabled(option == kFoundIp);
    m_ipCombo->setEnabled(option == kFoundIp);
    m_label3->setEnabled(option == kOwnIp);
    m_ipText->setEnabled(option == kOwnIp);
}

bool addInterfaceDialog::readChoice(MonitoredConnection& choice) {
    const int option = m_options->checkedId();
    if (option == kHardwareInterface || option == kFoundIp) {
        QComboBox* list = option == kHardwareInterface ? m_interfaceCombo : m_ipCombo;
        // An empty list, or an interface without an address, gives nothing that could ever match.
        if (list->currentIndex() < 0 || list->currentText().isEmpty()) {
            QApplication::beep();
            list->setFocus();
            return false;
        }
        choice.kind = option == kHardwareInterface ? kKindInterface : kKindSingleIp;
        choice.name = list->currentText().toStdString();
        return true;
    }
    const std::string typed = m_ipText->text().toStdString();
    if (!isValidIpPattern(typed)) {
        showMessageBox(this, QStringLiteral("The IP range entered is not a valid IP range.\nPlease correct it."),
                       QMessageBox::Warning);
        focusAndSelect(m_ipText);
        return false;
    }
    choice.kind = typed.find('*') != std::string::npos ? kKindIpRange : kKindSingleIp;
    choice.name = typed;
    return true;
}

void addInterfaceDialog::add() {
    MonitoredConnection choice;
    if (!readChoice(choice)) {
        return;
    }
    for (const MonitoredConnection& row : m_existing) {
        if (row == choice) {
            showMessageBox(this, QStringLiteral("The interface has already been added!"), QMessageBox::Information);
            return;
        }
    }
    m_result = std::move(choice);
    accept();
}

} // namespace tw
