#include "platform/fake/FakeResolver.h"
#include "tools/ui/frmWhois.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gmock/gmock.h>

#include <arpa/inet.h>
#include <atomic>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// A whois server on 127.0.0.1 (a port below 10000, as the window accepts) run by a thread of its own: it reads
// the query line and answers with the given pieces, pausing between them, then closes.
class PiecewiseWhoisServer {
public:
    explicit PiecewiseWhoisServer(std::vector<std::string> pieces) : m_pieces(std::move(pieces)) {
        m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int on = 1;
        ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
        for (m_port = 4400; m_port < 9999; ++m_port) {
            sockaddr_in addr{};
            addr.sin_family = AF_INET;
            addr.sin_port = htons(m_port);
            addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0) {
                break;
            }
        }
        ::listen(m_listen, 1);
        m_thread = std::thread([this] { serve(); });
    }
    ~PiecewiseWhoisServer() {
        ::shutdown(m_listen, SHUT_RDWR);
        m_thread.join();
        ::close(m_listen);
    }
    QString port() const { return QString::number(m_port); }
    std::string query() const {
        std::lock_guard lock(m_mutex);
        return m_query;
    }

private:
    void serve() {
        const int fd = ::accept(m_listen, nullptr, nullptr);
        if (fd < 0) {
            return;
        }
        std::string line;
        char c = 0;
        while (!line.ends_with("\r\n") && ::recv(fd, &c, 1, 0) == 1) {
            line += c;
        }
        {
            std::lock_guard lock(m_mutex);
            m_query = line;
        }
        for (const std::string& piece : m_pieces) {
            ::send(fd, piece.data(), piece.size(), MSG_NOSIGNAL);
            std::this_thread::sleep_for(std::chrono::milliseconds(80));
        }
        ::close(fd);
    }

    std::vector<std::string> m_pieces;
    int m_listen = -1;
    std::uint16_t m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::string m_query;
};

QString lookUp(PiecewiseWhoisServer& server, const QString& address, const QString& expectedEnd) {
    auto resolver = std::make_shared<tw::FakeResolver>();
    tw::frmWhois window(nullptr, resolver);
    window.findChild<QLineEdit*>("Text1")->setText("127.0.0.1");
    window.findChild<QLineEdit*>("Text2")->setText(server.port());
    window.setAddress(address);
    window.findChild<QPushButton*>("Command1")->click();
    auto* response = window.findChild<QPlainTextEdit*>("txtResponse");
    EXPECT_TRUE(QTest::qWaitFor([&] { return response->toPlainText().endsWith(expectedEnd); }, 10000));
    QTest::qWait(100);
    return response->toPlainText();
}

} // namespace

TEST(WhoisServer, PiecesWithBareLineFeedsAreShownInOrderOneLinePerLineFeed) {
    PiecewiseWhoisServer server(
        {"% Loopback whois\n", "inetnum:  198.18.0.0 - 198.19.", "255.255\nnetname:  BENCH", "MARK\ncountry:  ZZ\n"});
    const QString shown = lookUp(server, "198.18.3.2", "ZZ\n");
    EXPECT_EQ(server.query(), "198.18.3.2\r\n");
    EXPECT_EQ(shown.split('\n'), (QStringList{"% Loopback whois", "inetnum:  198.18.0.0 - 198.19.255.255",
                                              "netname:  BENCHMARK", "country:  ZZ", ""}));
}

TEST(WhoisServer, AnAnswerBeyondOneMebibyteIsCutWithANote) {
    std::vector<std::string> pieces(3, std::string(512 * 1024 - 1, 'x') + "\n");
    PiecewiseWhoisServer server(pieces);
    const QString shown = lookUp(server, "198.18.3.2", "the rest was dropped.]\n");
    EXPECT_EQ(shown.count('x'), 1024 * 1024 - 2);
    EXPECT_TRUE(shown.endsWith("\n[The answer is longer than 1 MiB; the rest was dropped.]\n"));
}
