#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QLabel;
class QStatusBar;
class QWidget;

namespace tw {

class Clock;

// "sbStatusBar" with its four panels: the monitored connections, the alarm state, the date and the time. The
// date and time come from the program's clock and are kept current every second while the clock runs (while the
// window is on screen).
class MainStatusBar : public QObject {
    Q_OBJECT
public:
    MainStatusBar(QWidget* parent, Clock& clock);

    QStatusBar* bar() const { return m_bar; }
    void setConnections(const QString& text, const QString& toolTip);
    // Asked for the connection panel's tool tip whenever it is about to show; an empty answer keeps the one set.
    void setConnectionsToolTipSource(std::function<QString()> source);
    void setAlarmStatus(const QString& text);
    // Running: shown now and again as each minute begins; stopped: no timer at all.
    void setClockRunning(bool running);
    bool isClockRunning() const { return m_tick.isActive(); }

    QLabel* connectionPanel() const { return m_connections; }
    QLabel* alarmPanel() const { return m_alarm; }
    QLabel* datePanel() const { return m_date; }
    QLabel* timePanel() const { return m_time; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshClock();
    // Shows the date and the time of the clock; returns its seconds.
    int showTime();

    Clock& m_clock;
    std::function<QString()> m_connectionsToolTip;
    QStatusBar* m_bar;
    QLabel* m_connections;
    QLabel* m_alarm;
    QLabel* m_date;
    QLabel* m_time;
    QTimer m_tick;
};

} // namespace tw
