#include "tools/ui/frmConnection.h"

#include "platform/fake/FakeConnectionTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTreeWidget>
#include <gmock/gmock.h>

using namespace tw;

namespace {

IpEndpoint v4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d, std::uint16_t port) {
    return {IpAddress::fromV4({a, b, c, d}), port};
}

class ConnectionWindow : public testing::Test {
protected:
    ConnectionWindow() {
        table->tcp = std::vector<TcpTableRow>{
            {2, v4(0, 0, 0, 0, 22), v4(0, 0, 0, 0, 0), {412, "sshd"}},
            {5, v4(127, 0, 0, 1, 40000), v4(127, 0, 0, 1, 8080)},
            {5, v4(192, 168, 0, 5, 50000), v4(198, 51, 100, 7, 40443), {2071, "firefox-esr"}},
        };
        table->udp = std::vector<UdpTableRow>{{v4(192, 168, 0, 5, 5353), {388, ""}}};
        window = std::make_unique<frmConnection>(nullptr, table);
        window->openTool = [this](frmConnection::Tool tool, const QString& host) { opened.emplace_back(tool, host); };
        list = window->findChild<QTreeWidget*>("ListView1");
        menu = window->findChild<QMenu*>("mnuPopup");
    }

    QStringList column(int c) {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            out << list->topLevelItem(i)->text(c);
        }
        return out;
    }
    void rightClickRow(int row) {
        const QRect r = list->visualItemRect(list->topLevelItem(row));
        emit list->customContextMenuRequested(r.center());
    }
    QAction* action(const char* name) { return window->findChild<QAction*>(name); }

    std::shared_ptr<FakeConnectionTable> table = std::make_shared<FakeConnectionTable>();
    std::unique_ptr<frmConnection> window;
    QTreeWidget* list = nullptr;
    QMenu* menu = nullptr;
    std::vector<std::pair<frmConnection::Tool, QString>> opened;
};

} // namespace

TEST_F(ConnectionWindow, OpensFilteredWithTheSevenColumns) {
    EXPECT_EQ(window->windowTitle(), "Current connections");
    auto* filter = window->findChild<QCheckBox*>("Check1");
    EXPECT_TRUE(filter->isChecked());
    EXPECT_EQ(filter->text(), "Hide IP addresses 0.0.0.0 and  127.0.0.1.");
    QStringList headers;
    for (int c = 0; c < list->columnCount(); ++c) {
        headers << list->headerItem()->text(c);
    }
    EXPECT_EQ(headers,
              (QStringList{"Remote host", "Remote port", "Local host", "Local port", "Protocol", "State", "Process"}));
    EXPECT_EQ(column(0), (QStringList{"198.51.100.7", "-"}));
    EXPECT_EQ(column(1), (QStringList{"40443", "-"}));
    EXPECT_EQ(column(5), (QStringList{"Established", "-"}));
    EXPECT_TRUE(list->alternatingRowColors());
    EXPECT_EQ(list->palette().color(QPalette::AlternateBase), QColor(255, 247, 235));
}

// Clicks go to the header as the user's do: the header changes its own indicator before it reports the click.
TEST_F(ConnectionWindow, ClickingAColumnHeaderSortsByItAndClickingAgainReverses) {
    window->findChild<QCheckBox*>("Check1")->click();
    window->show();
    QHeaderView* header = list->header();
    auto clickHeader = [&](int section) {
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at, 300);
    };
    clickHeader(3); // "Local port": numbers, not text
    EXPECT_EQ(column(3), (QStringList{"22", "5353", "40000", "50000"}));
    clickHeader(3);
    EXPECT_EQ(column(3), (QStringList{"50000", "40000", "5353", "22"}));
    clickHeader(6);
    EXPECT_EQ(column(6), (QStringList{"", "388", "firefox-esr (2071)", "sshd (412)"}));

    // An update keeps the order the user chose.
    table->tcp->push_back({5, v4(192, 168, 0, 5, 50001), v4(203, 0, 113, 9, 443), {3000, "curl"}});
    QTest::mouseClick(window->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_EQ(column(6), (QStringList{"", "388", "curl (3000)", "firefox-esr (2071)", "sshd (412)"}));
}

// The process column names the owner and its pid, or stays blank.
TEST_F(ConnectionWindow, UncheckingTheFilterRebuildsTheListAtOnceWithTheProcessOfEachRow) {
    window->findChild<QCheckBox*>("Check1")->click();
    EXPECT_EQ(column(2), (QStringList{"0.0.0.0", "127.0.0.1", "192.168.0.5", "192.168.0.5"}));
    EXPECT_EQ(column(1), (QStringList{"0", "8080", "40443", "-"}));
    EXPECT_EQ(column(5).first(), "Listening");
    EXPECT_EQ(column(6), (QStringList{"sshd (412)", "", "firefox-esr (2071)", "388"}));
}

TEST_F(ConnectionWindow, RightClickOnATcpRowOffersTheRemoteHostAndOnAUdpRowNothing) {
    rightClickRow(1);
    EXPECT_FALSE(menu->isVisible());

    rightClickRow(0);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->defaultAction(), action("mnuCopyIP"));
    EXPECT_EQ(action("mnuCopyIP")->text(), "Copy remote host");
    action("mnuCopyIP")->trigger();
    menu->hide();
    EXPECT_EQ(QApplication::clipboard()->text(), "198.51.100.7");

    action("mnuWhois")->trigger();
    action("mnuTracerouteRemote")->trigger();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], std::make_pair(frmConnection::Tool::Whois, QString("198.51.100.7")));
    EXPECT_EQ(opened[1], std::make_pair(frmConnection::Tool::Traceroute, QString("198.51.100.7")));
}

TEST_F(ConnectionWindow, TracerouteIsOfferedOnlyForIpv4RemoteHosts) {
    TcpTableRow v6row;
    v6row.state = 5;
    v6row.local.address.v6 = v6row.remote.address.v6 = true;
    v6row.local.address.bytes = {0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    v6row.remote.address.bytes = {0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2};
    table->tcp = std::vector<TcpTableRow>{v6row};
    window->rebuild();
    rightClickRow(0);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_FALSE(action("mnuTracerouteRemote")->isEnabled());
    EXPECT_TRUE(action("mnuWhois")->isEnabled());
    menu->hide();
}

TEST(ConnectionWindowOnTheSystem, ALoopbackConnectionAndItsListenerShowOnlyWithoutTheFilter) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    ASSERT_TRUE(client.waitForConnected(2000));
    const QString port = QString::number(server.serverPort());

    frmConnection window;
    auto* list = window.findChild<QTreeWidget*>("ListView1");
    const auto rowsWithPort = [&](int column) {
        QList<QStringList> rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list->topLevelItem(i);
            if (item->text(column) == port) {
                rows.append({item->text(0), item->text(1), item->text(2), item->text(3), item->text(4), item->text(5)});
            }
        }
        return rows;
    };
    EXPECT_TRUE(rowsWithPort(3).isEmpty());
    window.findChild<QCheckBox*>("Check1")->click();
    const QList<QStringList> listening = rowsWithPort(3);
    ASSERT_FALSE(listening.isEmpty());
    EXPECT_TRUE(listening.contains(QStringList{"0.0.0.0", "0", "127.0.0.1", port, "TCP", "Listening"}));
    const QList<QStringList> toServer = rowsWithPort(1);
    ASSERT_EQ(toServer.size(), 1);
    EXPECT_EQ(toServer[0][0], "127.0.0.1");
    EXPECT_EQ(toServer[0][5], "Established");
}
