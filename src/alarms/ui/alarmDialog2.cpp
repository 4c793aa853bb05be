#include "alarms/ui/alarmDialog2.h"

#include "alarms/AlarmList.h"
#include "alarms/WaveFile.h"
#include "alarms/ui/addalarmDialog.h"
#include "alarms/ui/editAlarmDialog.h"
#include "common/MessageSink.h"
#include "common/NumberText.h"
#include "common/TextFile.h"
#include "config/NumberedRows.h"
#include "config/SettingsKeys.h"
#include "widgets/ui/MessageBoxes.h"
#include "widgets/ui/SelectOnFocus.h"
#include "widgets/ui/TabbedDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace tw {

namespace {

constexpr int kListTab = 0;
constexpr int kOptionsTab = 1;
const std::string kCannotPlay = "The Sound-file cannot be played.\nOnly uncompressed WAV files can be played.";

QLabel* hint(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QCheckBox* checkBox(const QString& name, const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

bool checked(const std::string& stored, int fallback) {
    return iniToInt(stored, fallback) != 0;
}
std::string state(const QCheckBox* box) {
    return box->isChecked() ? "1" : "0";
}

// A text box that does not count is drawn on the dialog face.
void enableBox(QLineEdit* box, bool enabled) {
    box->setEnabled(enabled);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, enabled ? QPalette().color(QPalette::Base) : QPalette().color(QPalette::Window));
    box->setPalette(p);
}

} // namespace

alarmDialog2::alarmDialog2(std::string settingsPath, std::string defaultSoundPath, std::vector<alarmClass1>* alarms,
                           QWidget* parent)
    : QDialog(parent), m_settingsPath(std::move(settingsPath)), m_defaultSoundPath(std::move(defaultSoundPath)),
      m_alarms(alarms) {
    setObjectName("alarmDialog2");
    setWindowTitle("Alarms");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_tabs = addTabsAndButtons(this, "tbsAlarms");
    m_tabs->addTab(buildListPage(), "Alarm list");
    m_tabs->addTab(buildOptionsPage(), "Options");

    m_tabs->setCurrentIndex(kListTab);
    load();
    resize(540, 440);
}

QWidget* alarmDialog2::buildListPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    m_list = new QTreeWidget(page);
    m_list->setObjectName("ListView1");
    m_list->setHeaderLabels({"Direction", "Interval", "Limit"});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->header()->resizeSection(0, 130);
    m_list->header()->resizeSection(1, 100);
    m_list->installEventFilter(this);
    row->addWidget(m_list, 1);

    auto* buttons = new QVBoxLayout;
    m_addButton = new QPushButton("Add...", page);
    m_addButton->setObjectName("addInterfaceButton");
    m_editButton = new QPushButton("Edit...", page);
    m_editButton->setObjectName("Command1");
    m_removeButton = new QPushButton("Delete", page);
    m_removeButton->setObjectName("removeInterfaceButton");
    for (QPushButton* b : {m_addButton, m_editButton, m_removeButton}) {
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    row->addLayout(buttons);
    layout->addLayout(row, 1);
    m_disableAll = checkBox("disableAll", "Disable all alarms.", page);
    layout->addWidget(m_disableAll);

    connect(m_addButton, &QPushButton::clicked, this, &alarmDialog2::addAlarm);
    connect(m_editButton, &QPushButton::clicked, this, &alarmDialog2::editAlarm);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &alarmDialog2::editAlarm);
    connect(m_removeButton, &QPushButton::clicked, this, &alarmDialog2::removeSelectedRow);
    connect(m_disableAll, &QCheckBox::toggled, this, &alarmDialog2::applyDependentEnabling);
    return page;
}

QWidget* alarmDialog2::buildOptionsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* window = new QGroupBox(page);
    auto* windowLayout = new QVBoxLayout(window);
    m_transparentCheck = checkBox("transparentCheck", "Transparent Alarm window", window);
    m_transparentHint = hint("If you don't want the alarm popup window to block the view of other programs running "
                             "in the front, you can make it transparent.",
                             window);
    m_percentLabel = new QLabel("Percent invisible:", window);
    m_transparentCombo = new QComboBox(window);
    m_transparentCombo->setObjectName("transparentCombo");
    for (int percent = 5; percent <= 50; percent += 5) {
        m_transparentCombo->addItem(QString::number(percent) + "%");
    }
    auto* percentRow = new QHBoxLayout;
    percentRow->addWidget(m_percentLabel);
    percentRow->addWidget(m_transparentCombo);
    percentRow->addStretch(1);
    windowLayout->addWidget(m_transparentCheck);
    windowLayout->addWidget(m_transparentHint);
    windowLayout->addLayout(percentRow);
    layout->addWidget(window);

    auto* sound = new QGroupBox(page);
    auto* soundLayout = new QVBoxLayout(sound);
    m_soundCheck = checkBox("soundCheck", "Audible alarm", sound);
    m_soundHint = hint("Specify the path to a wav file.", sound);
    m_soundHint->setObjectName("soundHint");
    m_pathText = new QLineEdit(sound);
    m_pathText->setObjectName("pathText");
    m_pathButton = new QPushButton("...", sound);
    m_pathButton->setObjectName("chPathButton");
    m_pathButton->setFixedWidth(32);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_pathText, 1);
    pathRow->addWidget(m_pathButton);
    soundLayout->addWidget(m_soundCheck);
    soundLayout->addWidget(m_soundHint);
    soundLayout->addLayout(pathRow);
    layout->addWidget(sound);

    auto* disconnect = new QGroupBox(page);
    auto* disconnectLayout = new QVBoxLayout(disconnect);
    m_disconnectCheck = checkBox("autDisconnectCheck", "Automatic disconnection", disconnect);
    m_secondsText = new QLineEdit(disconnect);
    selectAllOnFocus(m_secondsText);
    m_secondsText->setObjectName("secondsText");
    m_secondsText->setMaximumWidth(50);
    m_secondsLabel = new QLabel("seconds delay.", disconnect);
    m_disableCancelCheck = checkBox("disableCancelCheck", "Disable Cancel button in Alarm window.", disconnect);
    auto* secondsRow = new QHBoxLayout;
    secondsRow->addWidget(m_secondsText);
    secondsRow->addWidget(m_secondsLabel);
    secondsRow->addStretch(1);
    disconnectLayout->addWidget(m_disconnectCheck);
    disconnectLayout->addLayout(secondsRow);
    disconnectLayout->addWidget(m_disableCancelCheck);
    layout->addWidget(disconnect);
    layout->addStretch(1);

    for (QCheckBox* box : {m_transparentCheck, m_soundCheck, m_disconnectCheck}) {
        connect(box, &QCheckBox::toggled, this, &alarmDialog2::applyDependentEnabling);
    }
    connect(m_pathButton, &QPushButton::clicked, this, &alarmDialog2::browseSound);
    return page;
}

void alarmDialog2::load() {
    const std::string& file = m_settingsPath;
    m_disableAll->setChecked(checked(readIni(file, kAlarmDisabled), 1));
    m_list->clear();
    for (const IniRow& row : readNumberedRows(file, kNumAlarms, kAlarmRowColumnsInAlarmWindow)) {
        appendRow({row[0], row[1], limitText(iniToDouble(row[2]))});
    }
    m_list->setCurrentItem(nullptr);
    m_soundCheck->setChecked(checked(readIni(file, kAudibleAlarmInAlarmWindow), 1));
    m_pathText->setText(QString::fromStdString(readIni(file, kAudioPath, m_defaultSoundPath)));
    m_disconnectCheck->setChecked(checked(readIni(file, kAutomaticDisconnect), 0));
    m_secondsText->setText(QString::fromStdString(readIni(file, kSecondsDelay)));
    m_disableCancelCheck->setChecked(checked(readIni(file, kNoCancelDisconnect), 0));
    m_transparentCheck->setChecked(checked(readIni(file, kIsInvisibleInAlarmWindow), 1));
    int percent = iniToInt(readIni(file, kPercentInvisible), 0);
    m_transparentCombo->setCurrentIndex(percent >= 0 && percent < m_transparentCombo->count() ? percent : 0);
    applyDependentEnabling();
}

void alarmDialog2::applyDependentEnabling() {
    const bool listOn = !m_disableAll->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_list, m_addButton, m_editButton, m_removeButton}) {
        w->setEnabled(listOn);
    }
    QPalette p = m_list->palette();
    p.setColor(QPalette::Base, listOn ? QPalette().color(QPalette::Base) : QPalette().color(QPalette::Window));
    m_list->setPalette(p);

    const bool sound = m_soundCheck->isChecked();
    m_soundHint->setEnabled(sound);
    enableBox(m_pathText, sound);
    m_pathButton->setEnabled(sound);

    const bool disconnect = m_disconnectCheck->isChecked();
    enableBox(m_secondsText, disconnect);
    m_secondsLabel->setEnabled(disconnect);
    m_disableCancelCheck->setEnabled(disconnect);

    const bool transparent = m_transparentCheck->isChecked();
    m_transparentHint->setEnabled(transparent);
    m_percentLabel->setEnabled(transparent);
    m_transparentCombo->setEnabled(transparent);
}

std::vector<AlarmRow> alarmDialog2::rows() const {
    std::vector<AlarmRow> out;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        out.push_back({item->text(0).toStdString(), item->text(1).toStdString(), item->text(2).toStdString()});
    }
    return out;
}

void alarmDialog2::appendRow(const AlarmRow& row) {
    auto* item =
        new QTreeWidgetItem(m_list, QStringList{QString::fromStdString(row.kind), QString::fromStdString(row.period),
                                                QString::fromStdString(row.limit)});
    m_list->setCurrentItem(item);
}

void alarmDialog2::removeSelectedRow() {
    QTreeWidgetItem* item = m_list->currentItem();
    if (item && item->isSelected()) {
        delete item;
    }
}

bool alarmDialog2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        removeSelectedRow();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void alarmDialog2::addAlarm() {
    addalarmDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) {
        appendRow(dialog.row());
    }
}

void alarmDialog2::editAlarm() {
    QTreeWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected()) {
        return;
    }
    editAlarmDialog dialog(this);
    dialog.setValues(item->text(0).toStdString(), item->text(1).toStdString(), item->text(2).toStdString());
    if (dialog.exec() == QDialog::Accepted) {
        removeSelectedRow();
        appendRow(dialog.row());
    }
}

void alarmDialog2::browseSound() {
    const QString folder = QFileInfo(QString::fromStdString(m_defaultSoundPath)).absolutePath();
    QFileDialog dialog(this, "Open Sound-file", folder);
    dialog.setObjectName("soundFileDialog");
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Only WAV plays. "All files" is every file here: names need no dot.
    dialog.setNameFilters({"Wave (*.wav)", "All files (*)"});
    // A cancelled dialog leaves the path as it was, and so does a file that would play nothing.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString chosen = dialog.selectedFiles().first();
    if (!isPlayableWave(chosen.toStdString())) {
        showMessage(kCannotPlay, MessageIcon::Warning);
        return;
    }
    m_pathText->setText(QDir::toNativeSeparators(chosen));
}

void alarmDialog2::accept() {
    if (!validate()) {
        return;
    }
    std::vector<AlarmRow> list = rows();
    const int removed = removeEquivalentAlarms(list);
    for (int i = 0; i < removed; ++i) {
        showMessage("Equivalent alarms found.\nRemoving the redundant alarm now.", MessageIcon::Information);
    }
    if (removed > 0) {
        m_list->clear();
        for (const AlarmRow& row : list) {
            appendRow(row);
        }
    }
    save(list);
    if (m_alarms) {
        *m_alarms = buildAlarmRules(list, m_disableAll->isChecked());
    }
    QDialog::accept();
}

bool alarmDialog2::validate() {
    if (m_soundCheck->isChecked()) {
        const std::string path = m_pathText->text().toStdString();
        if (path.empty() || !fileExists(path)) {
            refuse(m_pathText, "The Sound-file could not be found.\nPlease enter a valid path.");
            return false;
        }
        if (!isPlayableWave(path)) {
            refuse(m_pathText, kCannotPlay);
            return false;
        }
    }
    if (m_disconnectCheck->isChecked()) {
        const double seconds =
            iniToDouble(m_secondsText->text().toStdString(), std::numeric_limits<double>::quiet_NaN());
        if (std::isnan(seconds)) {
            refuse(m_secondsText, "Disconnect delay time must be an integer!");
            return false;
        }
        const double whole = std::nearbyint(seconds);
        if (whole > 99 || whole < 1) {
            refuse(m_secondsText, "Disconnect delay time must be between 1 and 99 seconds!");
            return false;
        }
    }
    return true;
}

void alarmDialog2::refuse(QLineEdit* box, const std::string& message) {
    m_tabs->setCurrentIndex(kOptionsTab);
    showMessage(message, MessageIcon::Critical);
    focusAndSelect(box);
}

void alarmDialog2::save(const std::vector<AlarmRow>& list) {
    const std::string& file = m_settingsPath;
    writeIni(file, kAlarmDisabled, state(m_disableAll));
    std::vector<IniRow> stored;
    for (const AlarmRow& row : list) {
        stored.push_back({row.kind, row.period, decimalText(limitBytes(row.limit).value_or(0))});
    }
    writeNumberedRows(file, kNumAlarms, kAlarmRowColumnsInAlarmWindow, stored);
    writeIni(file, kAudibleAlarmInAlarmWindow, state(m_soundCheck));
    writeIni(file, kAudioPath, m_pathText->text().toStdString());
    writeIni(file, kAutomaticDisconnect, state(m_disconnectCheck));
    writeIni(file, kSecondsDelay, m_secondsText->text().toStdString());
    writeIni(file, kNoCancelDisconnect, state(m_disableCancelCheck));
    writeIni(file, kIsInvisibleInAlarmWindow, state(m_transparentCheck));
    writeIni(file, kPercentInvisible, std::to_string(m_transparentCombo->currentIndex()));
}

} // namespace tw
