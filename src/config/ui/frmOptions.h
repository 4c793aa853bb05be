#pragma once

#include "config/MonitoredConnection.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

namespace tw {

class StartupEntry;

// "Settings": update speed, start with login, tray icon sensitivity, the billing month and allowance, the monitored
// connections, the display units and the chart type. Every control is loaded from the settings file when the window
// opens and written back on OK after validation; Cancel discards. The caller re-applies what the file holds after it
// closes.
class frmOptions : public QDialog {
    Q_OBJECT

public:
    // Asks for one more connection to monitor; nothing when the user cancelled.
    using ConnectionPicker = std::function<std::optional<MonitoredConnection>(
        QWidget* owner, const std::vector<MonitoredConnection>& existing)>;

    frmOptions(std::string settingsPath, StartupEntry& startup, QWidget* parent = nullptr);

    // What "Add..." asks; without a picker it adds nothing.
    void setConnectionPicker(ConnectionPicker picker) { m_picker = std::move(picker); }

    // The listed connections, in list order.
    std::vector<MonitoredConnection> connections() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildGeneralPage();
    QWidget* buildBillingFrame(QWidget* page);
    QWidget* buildConnectionsPage();
    QWidget* buildUnitsPage();
    QWidget* buildChartPage();
    void load();
    void applyAllInterfaces();
    void addConnection();
    void removeConnection();
    void appendRow(const QString& type, const QString& name);
    void accept() override;
    bool validate();
    void save();
    void saveBilling();

    std::string m_settingsPath;
    StartupEntry& m_startup;
    ConnectionPicker m_picker;

    QTabWidget* m_tabs = nullptr;
    QComboBox* m_refreshCombo = nullptr;
    QCheckBox* m_startUpCheck = nullptr;
    QLineEdit* m_bytesText = nullptr;
    QComboBox* m_bytesCombo = nullptr;
    QSpinBox* m_monthStartDay = nullptr;
    QLineEdit* m_allowanceText = nullptr;
    QComboBox* m_allowanceCombo = nullptr;
    QCheckBox* m_allInterfacesCheck = nullptr;
    QLabel* m_chooseLabel = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_removeButton = nullptr;
    std::vector<QComboBox*> m_unitCombos;
    QComboBox* m_speedCombo = nullptr;
    QRadioButton* m_barChart = nullptr;
    QRadioButton* m_lineChart = nullptr;
};

} // namespace tw
