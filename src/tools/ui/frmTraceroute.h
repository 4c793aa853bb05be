#pragma once

#include "tools/TraceRoute.h"

#include "tools/ui/ToolWidgets.h"
#include "tools/ui/WorkerReports.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace tw {

// Traces the route to a host: one row per hop, a running log in the feedback box. The trace runs on a worker
// thread; everything it reports reaches the window in order through queued calls. Closing the window gives the
// trace up at once: a probe under way is cancelled, a name lookup under way ends in the background unheard.
class frmTraceroute : public QDialog {
    Q_OBJECT
public:
    explicit frmTraceroute(QWidget* parent = nullptr);
    // With the lookups and ICMP endpoints to use instead of the system's.
    frmTraceroute(QWidget* parent, std::shared_ptr<Resolver> resolver, TraceRoute::EchoOpener opener);
    ~frmTraceroute() override;

    // Puts the address into the address box and selects "Host IP".
    void setAddress(const QString& address);

    // Blocking lookups, also for other windows' worker threads: the first IPv4 address of the name (empty when
    // unknown) and the name of an address (empty when there is none or the text is no IPv4 address).
    QString GetIPFromHostName(const QString& hostName) const;
    QString GetHostNameFromAddress(const QString& address) const;

    bool isTracing() const { return m_tracing; }

    // Closing the window gives up a running trace.
    void done(int result) override;

private:
    class Observer;

    void build();
    void onCommand1();
    void startTrace();
    void traceFinished();
    void abandonTrace();
    void appendLog(const QString& line);

    std::shared_ptr<Resolver> m_resolver;
    TraceRoute::EchoOpener m_opener;
    // The trace under way and its channel back to this window; the worker thread holds both too.
    std::shared_ptr<TraceRoute> m_trace;
    std::shared_ptr<WorkerReports> m_reports;
    bool m_tracing = false;

    toolui::HostChoice m_host;
    QTreeWidget* m_list = nullptr;
    QLineEdit* m_charsText = nullptr;
    QLineEdit* m_maxHopsText = nullptr;
    QLineEdit* m_triesText = nullptr;
    QLineEdit* m_timeoutText = nullptr;
    QCheckBox* m_resolveCheck = nullptr;
    QPlainTextEdit* m_feedback = nullptr;
    QPushButton* m_command1 = nullptr;
};

} // namespace tw
