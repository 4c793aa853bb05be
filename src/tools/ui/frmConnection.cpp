#include "tools/ui/frmConnection.h"

#include "tools/ConnectionList.h"
#include "tools/ui/frmTraceroute.h"
#include "tools/ui/frmWhois.h"
#include "widgets/ui/StripedList.h"
#include "widgets/ui/modSortListView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tw {

namespace {

enum Column { RemoteHost, RemotePort, LocalHost, LocalPort, Protocol, State, Process, ColumnCount };
constexpr int kTraceableRole = Qt::UserRole + 1;

} // namespace

frmConnection::frmConnection(QWidget* parent) : frmConnection(parent, makeSystemConnectionTable()) {}

frmConnection::frmConnection(QWidget* parent, std::shared_ptr<ConnectionTable> table)
    : QDialog(parent), m_table(std::move(table)) {
    openTool = [this](Tool tool, const QString& host) { openToolWindow(tool, host); };
    build();
    rebuild();
}

void frmConnection::build() {
    setObjectName("frmConnection");
    setWindowTitle("Current connections");

    m_list = makeStripedList(this, "ListView1");
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setHeaderLabels({"Remote host", "Remote port", "Local host", "Local port", "Protocol", "State", "Process"});
    const int widths[] = {200, 85, 200, 75, 65, 120, 160};
    for (int i = 0; i < ColumnCount; ++i) {
        m_list->setColumnWidth(i, widths[i]);
    }
    modSortListView::setColumnSortType(m_list, RemotePort, SortType::Number);
    modSortListView::setColumnSortType(m_list, LocalPort, SortType::Number);
    modSortListView::sortOnHeaderClicks(m_list);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QTreeWidget::customContextMenuRequested, this, &frmConnection::onContextMenu);

    m_menu = new QMenu(this);
    m_menu->setObjectName("mnuPopup");
    QAction* copy = m_menu->addAction("Copy remote host");
    copy->setObjectName("mnuCopyIP");
    m_menu->setDefaultAction(copy);
    m_menu->addSeparator()->setObjectName("mnuSeparator");
    QAction* whois = m_menu->addAction("Whois remote host");
    whois->setObjectName("mnuWhois");
    m_traceAction = m_menu->addAction("Traceroute remote host");
    m_traceAction->setObjectName("mnuTracerouteRemote");
    connect(copy, &QAction::triggered, this, [this] { QApplication::clipboard()->setText(selectedRemoteHost()); });
    connect(whois, &QAction::triggered, this, [this] { openTool(Tool::Whois, selectedRemoteHost()); });
    connect(m_traceAction, &QAction::triggered, this, [this] { openTool(Tool::Traceroute, selectedRemoteHost()); });

    m_filter = new QCheckBox("Hide IP addresses 0.0.0.0 and  127.0.0.1.", this);
    m_filter->setObjectName("Check1");
    m_filter->setChecked(true);
    connect(m_filter, &QCheckBox::clicked, this, &frmConnection::rebuild);

    auto* update = new QPushButton("Update", this);
    update->setObjectName("Command1");
    connect(update, &QPushButton::clicked, this, &frmConnection::rebuild);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("Command2");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_filter);
    buttons->addStretch(1);
    buttons->addWidget(update);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(960, 460);
}

void frmConnection::rebuild() {
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    for (const ConnectionRowText& row : ConnectionList(*m_table).rows(m_filter->isChecked())) {
        auto* item = new QTreeWidgetItem(
            QStringList{QString::fromStdString(row.remoteHost), QString::fromStdString(row.remotePort),
                        QString::fromStdString(row.localHost), QString::fromStdString(row.localPort),
                        QString::fromStdString(row.protocol), QString::fromStdString(row.state),
                        QString::fromStdString(row.process)});
        item->setData(0, kTraceableRole, row.remoteIsIpv4);
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    // Rows come in the system's order until the user sorts by a column; an update keeps the user's order.
    if (modSortListView::isSorted(m_list)) {
        modSortListView::sortAgain(m_list);
    }
}

QString frmConnection::selectedRemoteHost() const {
    const QTreeWidgetItem* item = m_list->currentItem();
    return item ? item->text(RemoteHost) : QString();
}

void frmConnection::onContextMenu(const QPoint& pos) {
    if (QTreeWidgetItem* under = m_list->itemAt(pos)) {
        m_list->setCurrentItem(under);
    }
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!item || item->text(Protocol) != "TCP") {
        return;
    }
    // Traceroute speaks IPv4 only.
    m_traceAction->setEnabled(item->data(0, kTraceableRole).toBool());
    m_menu->popup(m_list->viewport()->mapToGlobal(pos));
}

void frmConnection::openToolWindow(Tool tool, const QString& remoteHost) {
    if (tool == Tool::Whois) {
        frmWhois window(this);
        window.setAddress(remoteHost);
        window.exec();
    } else {
        frmTraceroute window(this);
        window.setAddress(remoteHost);
        window.exec();
    }
}

} // namespace tw
