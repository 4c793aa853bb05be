#pragma once

#include "platform/ConnectionTable.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tw {

// The machine's current TCP and UDP sockets, read at opening and on every update. From a TCP row the remote host
// can be copied, looked up with whois or traced.
class frmConnection : public QDialog {
    Q_OBJECT
public:
    explicit frmConnection(QWidget* parent = nullptr);
    frmConnection(QWidget* parent, std::shared_ptr<ConnectionTable> table);

    // Rebuilds the list from the system's tables.
    void rebuild();

    // How the whois and traceroute windows are opened for a remote host; tests replace it.
    enum class Tool { Whois, Traceroute };
    std::function<void(Tool, const QString& remoteHost)> openTool;

private:
    void build();
    void onContextMenu(const QPoint& pos);
    QString selectedRemoteHost() const;
    void openToolWindow(Tool tool, const QString& remoteHost);

    std::shared_ptr<ConnectionTable> m_table;
    QTreeWidget* m_list = nullptr;
    QCheckBox* m_filter = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_traceAction = nullptr;
};

} // namespace tw
