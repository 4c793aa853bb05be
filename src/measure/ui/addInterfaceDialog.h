#pragma once

#include "config/MonitoredConnection.h"
#include "measure/InterfaceChoices.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tw {

// Picks one connection to monitor: an interface, one of the current addresses, or a typed address or range. It
// refuses a connection already in the host's list. The host reads connection() after exec() returned Accepted and
// adds the row itself; the dialog touches neither the engine's list nor the settings.
class addInterfaceDialog : public QDialog {
    Q_OBJECT
public:
    addInterfaceDialog(const InterfaceChoices& choices, std::vector<MonitoredConnection> existing,
                       QWidget* parent = nullptr);

    // Runs the dialog; the chosen connection, or nothing when the user cancelled.
    static std::optional<MonitoredConnection> pick(const InterfaceChoices& choices,
                                                   std::vector<MonitoredConnection> existing, QWidget* parent);

    // The chosen connection, once the dialog was accepted.
    const MonitoredConnection& connection() const { return m_result; }

    static constexpr int kHardwareInterface = 0;
    static constexpr int kFoundIp = 1;
    static constexpr int kOwnIp = 2;

private:
    void build();
    void fill(const std::vector<std::string>& addresses, const std::vector<std::string>& descriptions);
    void applyOption(int option);
    void add();
    // False, with the user told and the focus on the offending control, when nothing can be added.
    bool readChoice(MonitoredConnection& choice);

    std::vector<MonitoredConnection> m_existing;
    MonitoredConnection m_result;

    QButtonGroup* m_options = nullptr;
    QLabel* m_label1 = nullptr;
    QComboBox* m_interfaceCombo = nullptr;
    QLabel* m_label2 = nullptr;
    QComboBox* m_ipCombo = nullptr;
    QLabel* m_label3 = nullptr;
    QLineEdit* m_ipText = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace tw
