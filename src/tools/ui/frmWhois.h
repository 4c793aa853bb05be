#pragma once

#include "platform/Resolver.h"
#include "tools/WhoisQuery.h"

#include "tools/ui/ToolWidgets.h"
#include "tools/ui/WorkerReports.h"

#include <QDialog>

#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTcpSocket;

namespace tw {

// Asks a whois server who holds an address. Name lookups run on a worker thread; the answer is appended as it
// arrives.
class frmWhois : public QDialog {
    Q_OBJECT
public:
    explicit frmWhois(QWidget* parent = nullptr);
    frmWhois(QWidget* parent, std::shared_ptr<Resolver> resolver);
    ~frmWhois() override;

    // Puts the address into the address box and selects "Host IP".
    void setAddress(const QString& address);

    // Closing the window ends a running exchange and forgets a pending lookup.
    void done(int result) override;

private:
    void build();
    void onCommand1();
    void connectToServer(const QString& query);
    void onConnected();
    void onReadyRead();
    void showAnswerText(const std::string& text);
    void onError();
    // Runs the lookup on a worker and hands its result to `done` on this window's thread, unless a newer lookup
    // started or the window closed meanwhile.
    template <typename Lookup, typename Done> void lookUpThenRun(Lookup lookup, Done done);
    void forgetLookup();

    std::shared_ptr<Resolver> m_resolver;
    toolui::HostChoice m_host;
    QLineEdit* m_serverText = nullptr;
    QLineEdit* m_portText = nullptr;
    QPlainTextEdit* m_response = nullptr;
    QPushButton* m_command1 = nullptr;
    QTcpSocket* m_socket = nullptr;

    quint16 m_port = 43;
    std::string m_query; // the query of the current lookup, sent once connected
    WhoisQuery m_answer;
    std::shared_ptr<WorkerReports> m_lookupReports; // of the lookup under way
};

} // namespace tw
