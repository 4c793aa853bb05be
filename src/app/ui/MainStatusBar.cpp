#include "app/ui/MainStatusBar.h"

#include "platform/Clock.h"

#include <QDateTime>
#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>

namespace tw {

namespace {

QLabel* addPanel(QStatusBar* bar, const char* name, int stretch) {
    auto* label = new QLabel(bar);
    label->setObjectName(QString::fromLatin1(name));
    label->setContentsMargins(4, 0, 4, 0);
    bar->addPermanentWidget(label, stretch);
    return label;
}

} // namespace

MainStatusBar::MainStatusBar(QWidget* parent, Clock& clock)
    : QObject(parent), m_clock(clock), m_bar(new QStatusBar(parent)) {
    m_bar->setObjectName(QStringLiteral("sbStatusBar"));
    m_bar->setSizeGripEnabled(true);
    m_connections = addPanel(m_bar, "connectionPanel", 1);
    m_connections->setMinimumWidth(60);
    m_alarm = addPanel(m_bar, "alarmPanel", 0);
    m_alarm->setMinimumWidth(m_alarm->fontMetrics().horizontalAdvance(QStringLiteral("Alarm triggered")) + 12);
    m_date = addPanel(m_bar, "datePanel", 0);
    m_time = addPanel(m_bar, "timePanel", 0);
    m_tick.setSingleShot(true);
    connect(&m_tick, &QTimer::timeout, this, &MainStatusBar::refreshClock);
    showTime();
}

void MainStatusBar::setClockRunning(bool running) {
    if (!running) {
        m_tick.stop();
        return;
    }
    refreshClock();
}

void MainStatusBar::setConnections(const QString& text, const QString& toolTip) {
    m_connections->setText(text);
    m_connections->setToolTip(toolTip);
}

void MainStatusBar::setConnectionsToolTipSource(std::function<QString()> source) {
    m_connectionsToolTip = std::move(source);
    m_connections->installEventFilter(this);
}

bool MainStatusBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_connections && event->type() == QEvent::ToolTip && m_connectionsToolTip) {
        const QString text = m_connectionsToolTip();
        if (!text.isEmpty()) {
            m_connections->setToolTip(text);
        }
    }
    return QObject::eventFilter(watched, event);
}

void MainStatusBar::setAlarmStatus(const QString& text) {
    m_alarm->setText(text);
}

void MainStatusBar::refreshClock() {
    const int second = showTime();
    // The texts show minutes: one wake-up just after the next minute begins (the clock tells whole seconds, so
    // never before it).
    m_tick.start((60 - second) * 1000 + 50);
}

int MainStatusBar::showTime() {
    const DateTime now = m_clock.now();
    const QDateTime at(QDate(now.year, now.month, now.day), QTime(now.hour, now.minute));
    const QLocale locale;
    m_date->setText(locale.toString(at.date(), QLocale::ShortFormat));
    m_time->setText(locale.toString(at.time(), QLocale::ShortFormat));
    return now.second;
}

} // namespace tw
