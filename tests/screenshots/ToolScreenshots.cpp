#include "Screenshots.h"
#include "platform/fake/FakeConnectionTable.h"
#include "platform/fake/FakeIcmpNetwork.h"
#include "platform/fake/FakeNetworkTables.h"
#include "platform/fake/FakeResolver.h"
#include "tools/ui/frmAdaptors.h"
#include "tools/ui/frmConnection.h"
#include "tools/ui/frmTraceroute.h"
#include "tools/ui/frmWhois.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gmock/gmock.h>

using namespace tw;

// The four tool windows with example data.
class ToolScreenshots : public testing::Test {
protected:
    static IpEndpoint v4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d, std::uint16_t port) {
        return {IpAddress::fromV4({a, b, c, d}), port};
    }
};

TEST_F(ToolScreenshots, Connections) {
    auto table = std::make_shared<FakeConnectionTable>();
    table->tcp = std::vector<TcpTableRow>{
        {5, v4(192, 168, 1, 20, 51544), v4(198, 51, 100, 7, 443), {2071, "firefox-esr"}},
        {5, v4(192, 168, 1, 20, 51872), v4(203, 0, 113, 80, 993), {2388, "thunderbird"}},
        {11, v4(192, 168, 1, 20, 52010), v4(198, 51, 100, 31, 80)},
        {2, v4(192, 168, 1, 20, 139), v4(0, 0, 0, 0, 0)},
        {8, v4(192, 168, 1, 20, 52110), v4(192, 0, 2, 44, 8443), {3120, "python3"}},
        {2, v4(0, 0, 0, 0, 22), v4(0, 0, 0, 0, 0)},
    };
    table->udp =
        std::vector<UdpTableRow>{{v4(192, 168, 1, 20, 5353), {2071, "firefox-esr"}}, {v4(192, 168, 1, 20, 137)}};
    frmConnection window(nullptr, table);
    twtest::saveScreenshot(window, "connections.png");
}

TEST_F(ToolScreenshots, Traceroute) {
    auto resolver = std::make_shared<FakeResolver>();
    resolver->addresses["www.example.net"] = {198, 18, 4, 2};
    resolver->names[{198, 18, 1, 1}] = "gw.home.example";
    resolver->names[{198, 18, 2, 1}] = "edge1.isp.example";
    resolver->names[{198, 18, 4, 2}] = "www.example.net";
    auto network = std::make_shared<FakeIcmpNetwork>();
    network->answer = [](const FakeIcmpNetwork::Probe& p) {
        switch (p.ttl) {
        case 1:
            return EchoResult{EchoStatus::TimeExceeded, {198, 18, 1, 1}, 0};
        case 2:
            return EchoResult{EchoStatus::TimeExceeded, {198, 18, 2, 1}, 9};
        case 3:
            return EchoResult{};
        default:
            return EchoResult{EchoStatus::Reply, {198, 18, 4, 2}, 23};
        }
    };
    frmTraceroute window(nullptr, resolver, network->opener());
    window.findChild<QLineEdit*>("Text5")->setText("2");
    window.findChild<QLineEdit*>("hostText")->setText("www.example.net");
    window.findChildren<QRadioButton*>("Option1").at(0)->click();
    window.findChild<QPushButton*>("Command1")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isTracing(); }, 5000));
    twtest::saveScreenshot(window, "traceroute.png");
}

TEST_F(ToolScreenshots, Whois) {
    QTcpServer server;
    quint16 port = 4500;
    while (!server.listen(QHostAddress::LocalHost, port)) {
        ++port;
    }
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* s = server.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, s, [s] {
            s->readAll();
            s->write("% This is an example whois server on the loopback.\n\n"
                     "inetnum:        198.51.100.0 - 198.51.100.255\n"
                     "netname:        TEST-NET-2\n"
                     "descr:          Documentation address block\n"
                     "country:        ZZ\n"
                     "admin-c:        EXAMPLE1-TEST\n"
                     "status:         ASSIGNED PA\n"
                     "source:         EXAMPLE\n");
            s->disconnectFromHost();
        });
    });
    auto resolver = std::make_shared<FakeResolver>();
    resolver->names[{198, 51, 100, 7}] = "www.example.org";
    frmWhois window(nullptr, resolver);
    window.findChild<QLineEdit*>("Text1")->setText("127.0.0.1");
    window.findChild<QLineEdit*>("Text2")->setText(QString::number(port));
    window.setAddress("198.51.100.7");
    window.findChild<QPushButton*>("Command1")->click();
    auto* response = window.findChild<QPlainTextEdit*>("txtResponse");
    ASSERT_TRUE(QTest::qWaitFor([&] { return response->toPlainText().contains("source:"); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.findChild<QLineEdit*>("hostText")->text() != ""; }, 5000));
    twtest::saveScreenshot(window, "whois.png");
}

TEST_F(ToolScreenshots, Interfaces) {
    auto tables = std::make_shared<FakeNetworkTables>();
    InterfaceRow& lo = tables->addInterface(1, "lo", kIfTypeLoopback);
    lo.mtu = 65536;
    lo.inOctets = lo.outOctets = 48'213'557;
    lo.inUcastPkts = lo.outUcastPkts = 120'442;
    lo.lastChange = 1200;
    InterfaceRow& eth = tables->addInterface(2, "eth0", kIfTypeEthernet);
    eth.mtu = 1500;
    eth.speed = 1'000'000'000;
    eth.physicalAddress = std::string("\x02\x00\x5e\x10\x0a\x01", 6);
    eth.inOctets = 3'284'915'022ull;
    eth.outOctets = 412'730'116;
    eth.inUcastPkts = 2'511'084;
    eth.outUcastPkts = 1'204'377;
    eth.inNUcastPkts = 18'220;
    eth.outNUcastPkts = 931;
    eth.lastChange = 2350;
    frmAdaptors window(nullptr, tables);
    twtest::saveScreenshot(window, "interfaces.png");
}
