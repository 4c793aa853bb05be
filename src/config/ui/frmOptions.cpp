#include "config/ui/frmOptions.h"

#include "common/ByteUnits.h"
#include "common/DateTime.h"
#include "common/MessageSink.h"
#include "common/NumberText.h"
#include "config/BillingSettings.h"
#include "config/IconSensitivity.h"
#include "config/NumberedRows.h"
#include "config/SettingsKeys.h"
#include "platform/StartupEntry.h"
#include "widgets/ui/MessageBoxes.h"
#include "widgets/ui/SelectOnFocus.h"
#include "widgets/ui/TabbedDialog.h"
#include "widgets/ui/UiText.h"
#include "widgets/ui/UpDownButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tw {

namespace {

const QStringList kRefreshItems = {"250 milliseconds", "500 milliseconds", "1 second",   "2 seconds",  "3 seconds",
                                   "4 seconds",        "5 seconds",        "10 seconds", "30 seconds", "1 minute"};
const QStringList kSensitivityUnits = toQStringList(kByteRateUnitNames);
const QStringList kAmountUnits = QStringList{"Variable"} + toQStringList(std::span(kByteUnitNames).first(kUnitGB + 1));
const QStringList kSpeedUnits = QStringList{"Variable"} + toQStringList(kByteRateUnitNames);
const QStringList kAllowanceUnits = toQStringList(std::span(kByteUnitNames).first(kUnitGB + 1));

QLabel* hint(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QComboBox* combo(const QString& name, const QStringList& items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    return box;
}

// A stored list index; one outside the list leaves the reader's default.
void selectIndex(QComboBox* box, const std::string& stored, const IniKey& key) {
    int index = iniToInt(stored, -1);
    if (index < 0 || index >= box->count()) {
        index = iniToInt(key.defaultValue, 0);
    }
    box->setCurrentIndex(index);
}

std::string number(int value) {
    return std::to_string(value);
}

// Keys the program did without for long join the file only once the user gives them another value than their
// default, so that a file of a user who never sets them stays as it was.
void writeIfSet(const std::string& file, const IniKey& key, const std::string& value) {
    constexpr std::string_view kAbsent = "\x01"
                                         "absent";
    if (value == key.defaultValue && readIni(file, key, kAbsent) == kAbsent) {
        return;
    }
    writeIni(file, key, value);
}

} // namespace

frmOptions::frmOptions(std::string settingsPath, StartupEntry& startup, QWidget* parent)
    : QDialog(parent), m_settingsPath(std::move(settingsPath)), m_startup(startup) {
    setObjectName("frmOptions");
    setWindowTitle("Settings");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_tabs = addTabsAndButtons(this, "tbsOptions");
    m_tabs->addTab(buildGeneralPage(), "General");
    m_tabs->addTab(buildConnectionsPage(), "Connections");
    m_tabs->addTab(buildUnitsPage(), "Units");
    m_tabs->addTab(buildChartPage(), "Chart");
    cycleTabsWithCtrlTab(this, m_tabs->tabBar());

    load();
    m_tabs->setCurrentIndex(0);
}

QWidget* frmOptions::buildGeneralPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* speedFrame = new QGroupBox("Update speed", page);
    auto* speedLayout = new QHBoxLayout(speedFrame);
    m_refreshCombo = combo("refreshCombo", kRefreshItems, speedFrame);
    speedLayout->addWidget(m_refreshCombo);
    speedLayout->addWidget(
        hint("Set the update speed of this program. A larger value makes the program use less CPU.", speedFrame), 1);
    layout->addWidget(speedFrame);

    m_startUpCheck = new QCheckBox("Load Tallywave at startup", page);
    m_startUpCheck->setObjectName("startUpCheck");
    layout->addWidget(m_startUpCheck);

    auto* iconFrame = new QGroupBox("Icon sensitivity", page);
    auto* iconLayout = new QHBoxLayout(iconFrame);
    m_bytesText = new QLineEdit(iconFrame);
    selectAllOnFocus(m_bytesText);
    m_bytesText->setObjectName("bytesText");
    m_bytesText->setMaximumWidth(80);
    auto* upDown = new UpDownButtons(m_bytesText, 1, 1024, 1, iconFrame);
    upDown->setObjectName("bytesUpDown");
    m_bytesCombo = combo("bytesCombo", kSensitivityUnits, iconFrame);
    auto* number = new QHBoxLayout;
    number->setSpacing(1);
    number->addWidget(m_bytesText);
    number->addWidget(upDown);
    iconLayout->addLayout(number);
    iconLayout->addWidget(m_bytesCombo);
    iconLayout->addWidget(hint("Sensitivity of the system tray icon. A larger value will make the system tray icon "
                               "light only when large amount of data is transmitted and vice versa.",
                               iconFrame),
                          1);
    layout->addWidget(iconFrame);
    layout->addWidget(buildBillingFrame(page));
    layout->addStretch(1);
    return page;
}

QWidget* frmOptions::buildBillingFrame(QWidget* page) {
    auto* frame = new QGroupBox("Metered connection", page);
    auto* grid = new QGridLayout(frame);
    auto* dayLabel = new QLabel("Month starts on day", frame);
    m_monthStartDay = new QSpinBox(frame);
    m_monthStartDay->setObjectName("monthStartDay");
    m_monthStartDay->setRange(kFirstMonthStartDay, kLastMonthStartDay);
    dayLabel->setBuddy(m_monthStartDay);
    grid->addWidget(dayLabel, 0, 0);
    grid->addWidget(m_monthStartDay, 0, 1, Qt::AlignLeft);

    auto* allowanceLabel = new QLabel("Monthly allowance", frame);
    m_allowanceText = new QLineEdit(frame);
    m_allowanceText->setObjectName("allowanceText");
    m_allowanceText->setMaximumWidth(80);
    allowanceLabel->setBuddy(m_allowanceText);
    m_allowanceCombo = combo("allowanceCombo", kAllowanceUnits, frame);
    auto* amount = new QHBoxLayout;
    amount->addWidget(m_allowanceText);
    amount->addWidget(m_allowanceCombo);
    amount->addStretch(1);
    grid->addWidget(allowanceLabel, 1, 0);
    grid->addLayout(amount, 1, 1);
    grid->addWidget(hint("The month runs from this day to the day before it in the next month, as your provider bills "
                         "it. With an allowance (0 = none) the month shows the share used and how far it goes.",
                         frame),
                    2, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    return frame;
}

QWidget* frmOptions::buildConnectionsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    m_allInterfacesCheck = new QCheckBox("Monitor all the network connections. (recommended)", page);
    m_allInterfacesCheck->setObjectName("allInterfacesCheck");
    layout->addWidget(m_allInterfacesCheck);
    auto* allMeans = hint("All connections counts each byte once, where it enters or leaves this computer.", page);
    allMeans->setObjectName("allInterfacesHint");
    layout->addWidget(allMeans);
    m_chooseLabel = new QLabel("Choose the connection(s) to monitor:", page);
    layout->addWidget(m_chooseLabel);

    auto* row = new QHBoxLayout;
    m_list = new QTreeWidget(page);
    m_list->setObjectName("ListView1");
    m_list->setHeaderLabels({"Type", "Interface"});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->header()->resizeSection(0, 110);
    m_list->installEventFilter(this);
    row->addWidget(m_list, 1);

    auto* buttons = new QVBoxLayout;
    m_addButton = new QPushButton("Add...", page);
    m_addButton->setObjectName("addInterfaceButton");
    m_removeButton = new QPushButton("Delete", page);
    m_removeButton->setObjectName("removeInterfaceButton");
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_removeButton);
    buttons->addStretch(1);
    row->addLayout(buttons);
    layout->addLayout(row, 1);

    connect(m_allInterfacesCheck, &QCheckBox::toggled, this, &frmOptions::applyAllInterfaces);
    connect(m_addButton, &QPushButton::clicked, this, &frmOptions::addConnection);
    connect(m_removeButton, &QPushButton::clicked, this, &frmOptions::removeConnection);
    return page;
}

QWidget* frmOptions::buildUnitsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    const QStringList frames = {"This session", "Today", "This month"};
    for (int i = 0; i < 3; ++i) {
        auto* frame = new QGroupBox(frames[i], page);
        auto* grid = new QHBoxLayout(frame);
        grid->addWidget(new QLabel("Download/Upload", frame));
        QComboBox* unit = combo("unitCombo", kAmountUnits, frame);
        unit->setProperty("index", i);
        m_unitCombos.push_back(unit);
        grid->addWidget(unit);
        if (i == 0) {
            grid->addSpacing(12);
            grid->addWidget(new QLabel("Speed", frame));
            m_speedCombo = combo("speedCombo", kSpeedUnits, frame);
            grid->addWidget(m_speedCombo);
        }
        grid->addStretch(1);
        layout->addWidget(frame);
    }
    layout->addWidget(hint("Set the unit used in the main window labels.", page));
    layout->addStretch(1);
    return page;
}

QWidget* frmOptions::buildChartPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* frame = new QGroupBox("Type of chart", page);
    auto* frameLayout = new QVBoxLayout(frame);
    m_barChart = new QRadioButton("Bar chart", frame);
    m_barChart->setObjectName("chartType");
    m_barChart->setProperty("index", 1);
    m_lineChart = new QRadioButton("Line chart", frame);
    m_lineChart->setObjectName("chartType");
    m_lineChart->setProperty("index", 0);
    frameLayout->addWidget(m_barChart);
    frameLayout->addWidget(m_lineChart);
    frameLayout->addWidget(hint("Choose the chart type to display in the main window.", frame));
    layout->addWidget(frame);
    layout->addStretch(1);
    return page;
}

void frmOptions::load() {
    const std::string& file = m_settingsPath;
    m_bytesText->setText(QString::fromStdString(readIni(file, kBytesText)));
    selectIndex(m_bytesCombo, readIni(file, kBytesCombo), kBytesCombo);
    const BillingSettings billing = loadBillingSettings(file);
    m_monthStartDay->setValue(billing.monthStartDay);
    // In the largest unit that divides it exactly; "none" in GB, the unit allowances come in.
    const int unit = billing.monthlyAllowance > 0 ? largestDividingUnit(billing.monthlyAllowance, kUnitGB) : kUnitGB;
    m_allowanceText->setText(toQString(decimalText(inUnit(billing.monthlyAllowance, unit))));
    m_allowanceCombo->setCurrentIndex(unit);
    m_startUpCheck->setChecked(m_startup.isStartUpSet());
    selectIndex(m_refreshCombo, readIni(file, kRefreshCombo), kRefreshCombo);
    for (int i = 0; i < 3; ++i) {
        selectIndex(m_unitCombos[static_cast<std::size_t>(i)], readIni(file, kUnitCombos[i]), kUnitCombos[i]);
    }
    selectIndex(m_speedCombo, readIni(file, kSpeedCombo), kSpeedCombo);
    m_list->clear();
    for (const IniRow& row : readNumberedRows(file, kNumInterfaces, kInterfaceRowColumns)) {
        appendRow(QString::fromStdString(row[0]), QString::fromStdString(row[1]));
    }
    m_allInterfacesCheck->setChecked(iniToInt(readIni(file, kAllInterfaces), 1) != 0);
    applyAllInterfaces();
    const bool bar = iniToBool(readIni(file, kShowBarChart), true);
    m_barChart->setChecked(bar);
    m_lineChart->setChecked(!bar);
}

void frmOptions::applyAllInterfaces() {
    const bool listed = !m_allInterfacesCheck->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_list, m_addButton, m_removeButton, m_chooseLabel}) {
        w->setEnabled(listed);
    }
    // Grey rows on the dialog face while the list does not count.
    QPalette p = m_list->palette();
    p.setColor(QPalette::Base, listed ? palette().color(QPalette::Base) : palette().color(QPalette::Window));
    m_list->setPalette(p);
}

void frmOptions::appendRow(const QString& type, const QString& name) {
    auto* item = new QTreeWidgetItem(m_list, QStringList{type, name});
    m_list->setCurrentItem(item);
}

std::vector<MonitoredConnection> frmOptions::connections() const {
    std::vector<MonitoredConnection> out;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        const auto kind = kindFromText(item->text(0).toStdString());
        out.push_back({kind.value_or(-1), item->text(1).toStdString()});
    }
    return out;
}

void frmOptions::addConnection() {
    if (!m_picker) {
        return;
    }
    const auto chosen = m_picker(this, connections());
    if (!chosen) {
        return;
    }
    appendRow(toQString(kindText(chosen->kind)), toQString(chosen->name));
}

void frmOptions::removeConnection() {
    QTreeWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected()) {
        return;
    }
    delete item;
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        removeConnection();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmOptions::accept() {
    if (!validate()) {
        return;
    }
    save();
    QDialog::accept();
}

bool frmOptions::validate() {
    const SensitivityCheck check =
        checkIconSensitivity(m_bytesText->text().toStdString(), m_bytesCombo->currentIndex());
    if (!check.ok) {
        m_tabs->setCurrentIndex(0);
        showMessage(check.message, MessageIcon::Critical);
        focusAndSelect(m_bytesText);
        return false;
    }
    const AllowanceCheck allowance =
        checkMonthlyAllowance(m_allowanceText->text().toStdString(), m_allowanceCombo->currentIndex());
    if (!allowance.ok) {
        m_tabs->setCurrentIndex(0);
        showMessage(allowance.message, MessageIcon::Critical);
        focusAndSelect(m_allowanceText);
        return false;
    }
    return true;
}

void frmOptions::save() {
    const std::string& file = m_settingsPath;
    writeIni(file, kBytesText, m_bytesText->text().toStdString());
    writeIni(file, kBytesCombo, number(m_bytesCombo->currentIndex()));
    writeIni(file, kRefreshCombo, number(m_refreshCombo->currentIndex()));
    const std::string startUp = m_startup.setStartUp(m_startUpCheck->isChecked());
    if (startUp.size() > 1) {
        // The text's lines end with CR LF; a message box wants plain line breaks.
        QString text = QString::fromStdString(startUp).replace("\r\n", "\n").trimmed();
        showMessage(text.toStdString(), MessageIcon::Warning);
    }
    for (int i = 0; i < 3; ++i) {
        writeIni(file, kUnitCombos[i], number(m_unitCombos[static_cast<std::size_t>(i)]->currentIndex()));
    }
    writeIni(file, kSpeedCombo, number(m_speedCombo->currentIndex()));
    writeIni(file, kAllInterfaces, m_allInterfacesCheck->isChecked() ? "1" : "0");
    std::vector<IniRow> rows;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        rows.push_back({item->text(0).toStdString(), item->text(1).toStdString()});
    }
    writeNumberedRows(file, kNumInterfaces, kInterfaceRowColumns, rows);
    writeIni(file, kShowBarChart, m_barChart->isChecked() ? "True" : "False");
    saveBilling();
}

void frmOptions::saveBilling() {
    const std::string& file = m_settingsPath;
    writeIfSet(file, kMonthStartDay, number(m_monthStartDay->value()));
    const AllowanceCheck allowance =
        checkMonthlyAllowance(m_allowanceText->text().toStdString(), m_allowanceCombo->currentIndex());
    writeIfSet(file, kMonthlyAllowance, decimalText(allowance.bytes));
}

} // namespace tw
