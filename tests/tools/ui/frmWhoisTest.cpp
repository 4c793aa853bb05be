#include "tools/ui/frmWhois.h"

#include "platform/SystemTexts.h"
#include "platform/fake/FakeResolver.h"
#include "support/qt_ModalAnswerer.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gmock/gmock.h>

using namespace tw;

namespace {

// A whois server on the loopback at a port the window accepts (below 10000): records each query line and answers
// with a fixed text, then closes; or keeps the connection open when `hold` is set.
class LoopbackWhoisServer {
public:
    LoopbackWhoisServer() {
        for (quint16 port = 4300; port < 9999 && !m_server.isListening(); ++port) {
            m_server.listen(QHostAddress::LocalHost, port);
        }
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            QTcpSocket* s = m_server.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                m_buffer += s->readAll();
                if (!m_buffer.contains("\r\n")) {
                    return;
                }
                queries.append(QString::fromLatin1(m_buffer));
                m_buffer.clear();
                s->write(answer);
                if (!hold) {
                    s->disconnectFromHost();
                }
            });
        });
    }
    QString port() const { return QString::number(m_server.serverPort()); }

    QStringList queries;
    QByteArray answer = "% whois answer\nnetname: LOOPBACK\n";
    bool hold = false;

private:
    QTcpServer m_server;
    QByteArray m_buffer;
};

class WhoisWindow : public testing::Test {
protected:
    WhoisWindow() {
        resolver->addresses["target.example"] = {127, 0, 0, 1};
        resolver->names[{127, 0, 0, 1}] = "localhost.example";
        child<QLineEdit>("Text1")->setText("127.0.0.1");
        child<QLineEdit>("Text2")->setText(server.port());
    }
    template <typename T> T* child(const char* name) { return window.findChild<T*>(name); }
    QRadioButton* option(int index) { return window.findChildren<QRadioButton*>("Option1").at(index); }
    QString response() { return child<QPlainTextEdit>("txtResponse")->toPlainText(); }
    void lookUp() { child<QPushButton>("Command1")->click(); }

    std::vector<std::string> refusedWith(const QString& server, const QString& port) {
        child<QLineEdit>("Text1")->setText(server);
        child<QLineEdit>("Text2")->setText(port);
        twtest::ModalAnswerer answerer;
        answerer.then([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            icons.push_back(box->icon());
            answerer.texts.push_back(box->text().toStdString());
            box->accept();
        });
        window.setAddress("127.0.0.1");
        lookUp();
        QTest::qWait(30);
        return answerer.texts;
    }

    LoopbackWhoisServer server;
    std::shared_ptr<FakeResolver> resolver = std::make_shared<FakeResolver>();
    frmWhois window{nullptr, resolver};
    std::vector<QMessageBox::Icon> icons;
};

} // namespace

TEST_F(WhoisWindow, OpensWithARegistryServerOnPort43AndNeitherOption) {
    frmWhois fresh(nullptr, resolver);
    EXPECT_EQ(fresh.windowTitle(), "Whois");
    EXPECT_EQ(fresh.findChild<QLineEdit*>("Text1")->text(), "whois.ripe.net");
    EXPECT_EQ(fresh.findChild<QLineEdit*>("Text2")->text(), "43");
    EXPECT_FALSE(fresh.findChildren<QRadioButton*>("Option1").at(0)->isChecked());
    EXPECT_FALSE(fresh.findChildren<QRadioButton*>("Option1").at(1)->isChecked());
    EXPECT_NE(fresh.findChild<QTcpSocket*>("Winsock1"), nullptr);
}

TEST_F(WhoisWindow, RefusesAMissingServerUnrecognizedPortsAndAMissingHostName) {
    EXPECT_THAT(refusedWith("", "43"), testing::ElementsAre("You must specify a whois server!"));
    for (const char* port : {"", "abc", "10000"}) {
        EXPECT_THAT(refusedWith("127.0.0.1", port),
                    testing::ElementsAre("The port number you specified is not recognized."))
            << port;
    }
    EXPECT_THAT(icons, testing::Each(QMessageBox::Warning));
    EXPECT_TRUE(server.queries.isEmpty());

    child<QLineEdit>("Text2")->setText(server.port());
    option(0)->click();
    twtest::ModalAnswerer answerer;
    answerer.clickMessageBox(QMessageBox::Ok);
    lookUp();
    EXPECT_THAT(answerer.texts, testing::ElementsAre("The host name is missing."));
}

TEST_F(WhoisWindow, QueriesTheAddressOfAHostNameAndForAnUnknownOneShowsIpNotFoundAndSendsAnEmptyLine) {
    option(0)->click();
    child<QLineEdit>("hostText")->setText("target.example");
    lookUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return response().contains("LOOPBACK"); }, 5000));
    EXPECT_EQ(child<QLineEdit>("hostIPText")->text(), "127.0.0.1");
    EXPECT_EQ(response(), "% whois answer\nnetname: LOOPBACK\n");

    child<QLineEdit>("hostText")->setText("nowhere.invalid");
    lookUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.queries.size() == 2; }, 5000));
    EXPECT_EQ(child<QLineEdit>("hostIPText")->text(), "IP not found");
    EXPECT_THAT(server.queries, testing::ElementsAre("127.0.0.1\r\n", "\r\n"));
}

TEST_F(WhoisWindow, AnAddressIsQueriedAsTypedAndItsNameLookedUp) {
    window.setAddress("127.0.0.1");
    lookUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return response().contains("LOOPBACK"); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return child<QLineEdit>("hostText")->text() == "localhost.example"; }, 5000));
    EXPECT_THAT(server.queries, testing::ElementsAre("127.0.0.1\r\n"));

    window.setAddress("127.0.0.9");
    lookUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return child<QLineEdit>("hostText")->text() == "Name not found"; }, 5000));
}

TEST_F(WhoisWindow, ShowsUtf8AndLatin1LinesAndTheLastLineWithoutALineBreak) {
    server.answer = "descr: Z\xC3\xBCrich\r\ndescr: Z\xFCrich\r\ncity: Gie\xC3\x9F";
    window.setAddress("127.0.0.1");
    lookUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return response().contains("city"); }, 5000));
    EXPECT_EQ(response().toStdString(), "descr: Zürich\ndescr: Zürich\ncity: Gieß");
}

TEST_F(WhoisWindow, ANewLookUpClosesTheOldConnectionAndClearsTheAnswer) {
    server.hold = true;
    server.answer = "first answer, still arriving\n";
    window.setAddress("127.0.0.1");
    lookUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return response().contains("first"); }, 5000));
    server.hold = false;
    server.answer = "second\n";
    lookUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return response().contains("second"); }, 5000));
    EXPECT_EQ(response(), "second\n");
}

TEST_F(WhoisWindow, AConnectionErrorIsShownWithItsNumberAndDescription) {
    // A port that was just free and is closed again refuses the connection.
    QTcpServer probe;
    quint16 unusedPort = 9000;
    while (!probe.listen(QHostAddress::LocalHost, unusedPort)) {
        ++unusedPort;
    }
    probe.close();
    twtest::ModalAnswerer answerer;
    answerer.clickMessageBox(QMessageBox::Ok);
    child<QLineEdit>("Text2")->setText(QString::number(unusedPort));
    window.setAddress("127.0.0.1");
    lookUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !answerer.texts.empty(); }, 5000));
    // The system's own text; on Windows with the Winsock number first.
    EXPECT_EQ(answerer.texts.front(), tw::socketErrorText(10061, "Connection refused"));
    EXPECT_NE(answerer.texts.front().find("Connection refused"), std::string::npos);
}
