#include "tools/ui/frmWhois.h"

#include "platform/SystemTexts.h"
#include "tools/AddressText.h"
#include "tools/ui/ToolWidgets.h"
#include "widgets/ui/MessageBoxes.h"
#include "widgets/ui/SelectOnFocus.h"
#include "widgets/ui/UiText.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpSocket>
#include <QVBoxLayout>

#include <thread>

namespace tw {

frmWhois::frmWhois(QWidget* parent) : frmWhois(parent, makeSystemResolver()) {}

frmWhois::frmWhois(QWidget* parent, std::shared_ptr<Resolver> resolver)
    : QDialog(parent), m_resolver(std::move(resolver)) {
    build();
}

frmWhois::~frmWhois() {
    forgetLookup();
    m_socket->abort();
}

void frmWhois::done(int result) {
    forgetLookup();
    m_socket->abort();
    QDialog::done(result);
}

void frmWhois::build() {
    setObjectName("frmWhois");
    setWindowTitle("Whois");

    m_host = toolui::makeHostChoice(this, false);
    QGridLayout* hostBox = m_host.layout;

    auto* frame = new QGroupBox("Options", this);
    frame->setObjectName("Frame1");
    auto* options = new QGridLayout(frame);
    m_serverText = new QLineEdit(toQString(WhoisQuery::kDefaultServer), frame);
    m_serverText->setObjectName("Text1");
    m_portText = new QLineEdit(toQString(WhoisQuery::kDefaultPort), frame);
    selectAllOnFocus(m_portText);
    m_portText->setObjectName("Text2");
    m_portText->setMaximumWidth(70);
    options->addWidget(new QLabel("Whois server:", frame), 0, 0);
    options->addWidget(m_serverText, 0, 1);
    options->addWidget(new QLabel("Port number:", frame), 1, 0);
    options->addWidget(m_portText, 1, 1, Qt::AlignLeft);

    m_response = new QPlainTextEdit(this);
    m_response->setObjectName("txtResponse");
    m_response->setReadOnly(true);
    m_response->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    m_response->setFont(fixed);

    m_command1 = new QPushButton("Look Up", this);
    m_command1->setObjectName("Command1");
    m_command1->setDefault(true);
    connect(m_command1, &QPushButton::clicked, this, &frmWhois::onCommand1);

    m_socket = new QTcpSocket(this);
    m_socket->setObjectName("Winsock1");
    connect(m_socket, &QTcpSocket::connected, this, &frmWhois::onConnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &frmWhois::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, [this] { showAnswerText(m_answer.finish()); });
    connect(m_socket, &QTcpSocket::errorOccurred, this, &frmWhois::onError);

    auto* top = new QHBoxLayout;
    top->addLayout(hostBox, 1);
    top->addWidget(frame, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_command1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_response, 1);
    layout->addLayout(buttons);
    resize(640, 480);
}

void frmWhois::setAddress(const QString& address) {
    m_host.hostIPText->setText(address);
    m_host.select(1);
}

void frmWhois::forgetLookup() {
    if (m_lookupReports) {
        m_lookupReports->close();
        m_lookupReports.reset();
    }
}

template <typename Lookup, typename Done> void frmWhois::lookUpThenRun(Lookup lookup, Done done) {
    forgetLookup();
    m_lookupReports = std::make_shared<WorkerReports>(this);
    std::thread([reports = m_lookupReports, lookup = std::move(lookup), done = std::move(done),
                 resolver = m_resolver]() mutable {
        QString result = lookup(*resolver);
        reports->post([result = std::move(result), done = std::move(done)] { done(result); });
    }).detach();
}

void frmWhois::onCommand1() {
    if (m_serverText->text().isEmpty()) {
        showMessageBox(this, "You must specify a whois server!", QMessageBox::Warning);
        focusAndSelect(m_serverText);
        return;
    }
    const auto port = WhoisQuery::port(m_portText->text().toStdString());
    if (!port) {
        showMessageBox(this, "The port number you specified is not recognized.", QMessageBox::Warning);
        focusAndSelect(m_portText);
        return;
    }
    m_port = *port;
    forgetLookup();
    if (m_host.byName->isChecked()) {
        if (m_host.hostText->text().isEmpty()) {
            showMessageBox(this, "The host name is missing.");
            focusAndSelect(m_host.hostText);
            return;
        }
        const std::string name = m_host.hostText->text().toStdString();
        lookUpThenRun(
            [name](Resolver& r) {
                const auto address = r.addressOf(name);
                return address ? QString::fromStdString(formatIpv4(*address)) : QString();
            },
            [this](const QString& ip) {
                m_host.hostIPText->setText(ip.isEmpty() ? QString("IP not found") : ip);
                connectToServer(ip);
            });
        return;
    }
    if (m_host.hostIPText->text().isEmpty()) {
        showMessageBox(this, "The host IP is missing.");
        focusAndSelect(m_host.hostIPText);
        return;
    }
    const QString query = m_host.hostIPText->text();
    lookUpThenRun(
        [address = parseIpv4(query.toStdString())](Resolver& r) {
            return address ? QString::fromStdString(r.nameOf(*address)) : QString();
        },
        [this](const QString& name) { m_host.hostText->setText(name.isEmpty() ? QString("Name not found") : name); });
    connectToServer(query);
}

void frmWhois::connectToServer(const QString& query) {
    m_query = query.toStdString();
    m_response->clear();
    m_answer = WhoisQuery();
    m_socket->abort();
    m_socket->connectToHost(m_serverText->text(), m_port);
}

void frmWhois::onConnected() {
    const std::string line = WhoisQuery::line(m_query);
    m_socket->write(line.data(), static_cast<qint64>(line.size()));
}

void frmWhois::onReadyRead() {
    const QByteArray data = m_socket->readAll();
    showAnswerText(m_answer.append(std::string_view(data.constData(), static_cast<std::size_t>(data.size()))));
    if (m_answer.full()) {
        m_socket->abort();
    }
}

void frmWhois::showAnswerText(const std::string& text) {
    if (text.empty()) {
        return;
    }
    m_response->moveCursor(QTextCursor::End);
    m_response->insertPlainText(QString::fromStdString(text));
}

namespace {

// The sockets error numbers users of whois clients know the failures by.
int winsockNumber(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return 10061;
    case QAbstractSocket::RemoteHostClosedError:
        return 10054;
    case QAbstractSocket::HostNotFoundError:
        return 11001;
    case QAbstractSocket::SocketAccessError:
        return 10013;
    case QAbstractSocket::SocketResourceError:
        return 10055;
    case QAbstractSocket::SocketTimeoutError:
        return 10060;
    case QAbstractSocket::NetworkError:
        return 10050;
    case QAbstractSocket::AddressInUseError:
        return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return 10045;
    default:
        return 10000 + static_cast<int>(error);
    }
}

} // namespace

void frmWhois::onError() {
    // The server closing the connection is how a whois answer ends.
    if (m_socket->error() == QAbstractSocket::RemoteHostClosedError) {
        return;
    }
    showMessageBox(this,
                   QString::fromStdString(
                       socketErrorText(winsockNumber(m_socket->error()), m_socket->errorString().toStdString())),
                   QMessageBox::Warning);
}

} // namespace tw
