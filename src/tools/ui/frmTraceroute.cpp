#include "tools/ui/frmTraceroute.h"

#include "tools/AddressText.h"
#include "tools/ui/ToolWidgets.h"
#include "widgets/ui/MessageBoxes.h"
#include "widgets/ui/SelectOnFocus.h"
#include "widgets/ui/StripedList.h"
#include "widgets/ui/UiText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <thread>

namespace tw {

// Hands the worker's reports to the window's thread; once the window closed the channel they are dropped.
class frmTraceroute::Observer final : public TraceObserver {
public:
    Observer(frmTraceroute* window, std::shared_ptr<WorkerReports> reports)
        : m_window(window), m_reports(std::move(reports)) {}

    void hostIpFound(const std::string& ip) override {
        post([w = m_window, text = toQString(ip)] { w->m_host.hostIPText->setText(text); });
    }
    void hostNameFound(const std::string& name) override {
        post([w = m_window, text = toQString(name)] { w->m_host.hostText->setText(text); });
    }
    void clearLog() override {
        post([w = m_window] { w->m_feedback->clear(); });
    }
    void logLine(const std::string& line) override {
        post([w = m_window, text = toQString(line)] { w->appendLog(text); });
    }
    void hopRow(const HopRow& row) override {
        post([w = m_window, row] {
            auto* item = new QTreeWidgetItem(w->m_list, {QString::number(row.hop), toQString(row.time),
                                                         toQString(row.linkIp), toQString(row.linkName)});
            w->m_list->scrollToItem(item);
        });
    }
    void failure(const std::string& message) override {
        post([w = m_window, text = toQString(message)] { showMessageBox(w, text); });
    }
    void finished() override {
        post([w = m_window] { w->traceFinished(); });
    }

private:
    // The window is only dereferenced inside a report, which runs only while the channel is open.
    template <typename F> void post(F f) { m_reports->post(std::move(f)); }

    frmTraceroute* m_window;
    std::shared_ptr<WorkerReports> m_reports;
};

frmTraceroute::frmTraceroute(QWidget* parent) : frmTraceroute(parent, makeSystemResolver(), &openIcmpEcho) {}

frmTraceroute::frmTraceroute(QWidget* parent, std::shared_ptr<Resolver> resolver, TraceRoute::EchoOpener opener)
    : QDialog(parent), m_resolver(std::move(resolver)), m_opener(std::move(opener)) {
    build();
}

frmTraceroute::~frmTraceroute() {
    abandonTrace();
}

void frmTraceroute::done(int result) {
    abandonTrace();
    QDialog::done(result);
}

void frmTraceroute::abandonTrace() {
    if (m_reports) {
        m_reports->close();
        m_reports.reset();
    }
    if (m_trace) {
        m_trace->cancel();
        m_trace.reset();
    }
    m_tracing = false;
    m_command1->setText("Start");
    m_command1->setEnabled(true);
}

void frmTraceroute::build() {
    setObjectName("frmTraceroute");
    setWindowTitle("Traceroute");

    m_host = toolui::makeHostChoice(this, true);
    QGridLayout* hostBox = m_host.layout;

    m_list = makeStripedList(this, "ListView1");
    m_list->setHeaderLabels({"Hop", "Time (ms)", "Link IP", "Link name"});
    m_list->setColumnWidth(0, 50);
    m_list->setColumnWidth(1, 80);
    m_list->setColumnWidth(2, 140);
    m_list->setMinimumHeight(180);

    auto* frame = new QGroupBox("Options", this);
    frame->setObjectName("Frame1");
    auto* options = new QGridLayout(frame);
    auto addOption = [&](int row, const char* label, const char* name, const char* value) {
        auto* edit = new QLineEdit(value, frame);
        edit->setObjectName(name);
        selectAllOnFocus(edit);
        edit->setMaximumWidth(80);
        options->addWidget(new QLabel(label, frame), row, 0);
        options->addWidget(edit, row, 1);
        return edit;
    };
    m_charsText = addOption(0, "Chars/packet:", "Text3", "32");
    m_maxHopsText = addOption(1, "Max hops:", "Text2", "30");
    m_triesText = addOption(2, "Tries/hop:", "Text5", "5");
    m_timeoutText = addOption(3, "Idle timeout(ms):", "timeoutText", "1000");
    // Checked at opening: unchecking it saves the reverse lookups (and the time they take) on a slow resolver.
    m_resolveCheck = new QCheckBox("Resolve host IP address.", frame);
    m_resolveCheck->setObjectName("chkResolve");
    m_resolveCheck->setChecked(true);
    options->addWidget(m_resolveCheck, 4, 0, 1, 2);

    m_feedback = new QPlainTextEdit(this);
    m_feedback->setObjectName("Text4");
    m_feedback->setReadOnly(true);
    auto* feedbackBox = new QVBoxLayout;
    feedbackBox->addWidget(new QLabel("Feedback window:", this));
    feedbackBox->addWidget(m_feedback);

    m_command1 = new QPushButton("Start", this);
    m_command1->setObjectName("Command1");
    m_command1->setDefault(true);
    connect(m_command1, &QPushButton::clicked, this, &frmTraceroute::onCommand1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(frame);
    bottom->addLayout(feedbackBox, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_command1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(hostBox);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);
    layout->addLayout(buttons);
    resize(620, 520);
}

void frmTraceroute::setAddress(const QString& address) {
    m_host.hostIPText->setText(address);
    m_host.select(1);
}

QString frmTraceroute::GetIPFromHostName(const QString& hostName) const {
    const auto address = m_resolver->addressOf(hostName.toStdString());
    return address ? toQString(formatIpv4(*address)) : QString();
}

QString frmTraceroute::GetHostNameFromAddress(const QString& address) const {
    const auto parsed = parseIpv4(address.toStdString());
    return parsed ? toQString(m_resolver->nameOf(*parsed)) : QString();
}

void frmTraceroute::appendLog(const QString& line) {
    m_feedback->moveCursor(QTextCursor::End);
    m_feedback->insertPlainText(line + "\n");
    m_feedback->ensureCursorVisible();
}

void frmTraceroute::onCommand1() {
    if (m_command1->text() == "Stop") {
        m_trace->stop();
        m_command1->setText("Start");
        // The current probe still runs; a new trace may start once it has ended.
        m_command1->setEnabled(false);
        return;
    }
    if (isTracing()) {
        return;
    }
    m_command1->setText("Stop");
    m_list->clear();
    if (m_host.byName->isChecked()) {
        if (m_host.hostText->text().isEmpty()) {
            showMessageBox(this, "The host name is missing.");
            focusAndSelect(m_host.hostText);
            m_command1->setText("Start");
            return;
        }
    } else if (m_host.hostIPText->text().isEmpty()) {
        showMessageBox(this, "The host IP is missing.");
        focusAndSelect(m_host.hostIPText);
        m_command1->setText("Start");
        return;
    }
    startTrace();
}

void frmTraceroute::startTrace() {
    TraceRequest request;
    request.byHostName = m_host.byName->isChecked();
    request.hostText = m_host.hostText->text().toStdString();
    request.hostIpText = m_host.hostIPText->text().toStdString();
    request.options = {m_charsText->text().toStdString(), m_maxHopsText->text().toStdString(),
                       m_triesText->text().toStdString(), m_timeoutText->text().toStdString()};
    request.resolveNames = m_resolveCheck->isChecked();
    m_reports = std::make_shared<WorkerReports>(this);
    m_trace = std::make_shared<TraceRoute>(m_opener, m_resolver);
    m_tracing = true;
    // Detached: the thread owns what it uses, so closing the window never waits for a lookup to return.
    std::thread([trace = m_trace, observer = std::make_shared<Observer>(this, m_reports), request] {
        trace->run(request, *observer);
    }).detach();
}

void frmTraceroute::traceFinished() {
    m_tracing = false;
    m_reports.reset();
    m_trace.reset();
    m_command1->setText("Start");
    m_command1->setEnabled(true);
}

} // namespace tw
