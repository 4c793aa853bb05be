#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace tw {

class alarmClass1;
struct AlarmRow;

// "Alarms": the list of alarm rules and the alarm options. Loaded from the "Alarm" section when it opens; OK
// validates, removes equivalent alarms, writes the section back and rebuilds the running rules. Cancel discards
// everything, rows added or edited meanwhile included.
class alarmDialog2 : public QDialog {
    Q_OBJECT

public:
    // defaultSoundPath: wakeup.wav beside the executable. alarms: the running rules to rebuild on OK (may be null).
    alarmDialog2(std::string settingsPath, std::string defaultSoundPath, std::vector<alarmClass1>* alarms,
                 QWidget* parent = nullptr);

    // The list's rows, in order.
    std::vector<AlarmRow> rows() const;
    void appendRow(const AlarmRow& row);
    // Removes the selected row; nothing happens without a selection.
    void removeSelectedRow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildListPage();
    QWidget* buildOptionsPage();
    void load();
    void applyDependentEnabling();
    void addAlarm();
    void editAlarm();
    void browseSound();
    void accept() override;
    bool validate();
    void refuse(QLineEdit* box, const std::string& message);
    void save(const std::vector<AlarmRow>& rows);

    std::string m_settingsPath;
    std::string m_defaultSoundPath;
    std::vector<alarmClass1>* m_alarms;

    QTabWidget* m_tabs = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_removeButton = nullptr;
    QCheckBox* m_disableAll = nullptr;
    QCheckBox* m_transparentCheck = nullptr;
    QLabel* m_transparentHint = nullptr;
    QLabel* m_percentLabel = nullptr;
    QComboBox* m_transparentCombo = nullptr;
    QCheckBox* m_soundCheck = nullptr;
    QLabel* m_soundHint = nullptr;
    QLineEdit* m_pathText = nullptr;
    QPushButton* m_pathButton = nullptr;
    QCheckBox* m_disconnectCheck = nullptr;
    QLineEdit* m_secondsText = nullptr;
    QLabel* m_secondsLabel = nullptr;
    QCheckBox* m_disableCancelCheck = nullptr;
};

} // namespace tw
