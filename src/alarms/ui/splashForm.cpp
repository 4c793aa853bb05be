#include "alarms/ui/splashForm.h"

#include "alarms/ui/AlarmSound.h"
#include "common/TextFile.h"
#include "config/SettingsKeys.h"
#include "widgets/ui/UiText.h"
#include "widgets/ui/clsButton.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QLabel>
#include <QLinearGradient>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <algorithm>

namespace tw {

namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 210;
constexpr int kCountdownHeight = 38; // the row the countdown adds above the buttons
constexpr int kCountdownStepMs = 1000;
constexpr int kCornerEllipse = 40;
constexpr int kMargin = 12;

constexpr int kPercentSteps = 10; // "5%" to "50%"

QString countdownText(int seconds) {
    return seconds == 1 ? QStringLiteral("Disconnecting in 1 second")
                        : QStringLiteral("Disconnecting in %1 seconds").arg(seconds);
}

const QColor kTopColour(222, 232, 246);
const QColor kBottomColour(160, 186, 222);

} // namespace

splashForm::splashForm(std::string settingsPath, std::string defaultSoundPath, AlarmSound* sound, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_settingsPath(std::move(settingsPath)), m_defaultSoundPath(std::move(defaultSoundPath)), m_sound(sound) {
    setObjectName("splashForm");
    setWindowTitle(appTitle() + " Alarm!");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    m_disconnectSettings = loadDisconnectSettings(m_settingsPath);
    const int height = kHeight + (m_disconnectSettings.automatic ? kCountdownHeight : 0);
    setFixedSize(kWidth, height);
    buildControls();
    if (m_disconnectSettings.automatic) {
        buildCountdown();
    }
    applyTransparency();
    // Bottom right of the desktop, where notifications are expected.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() + 1 - kWidth - kMargin, area.bottom() + 1 - height - kMargin);
    }
}

splashForm::~splashForm() {
    StopPlayingWAV();
}

void splashForm::buildControls() {
    QPalette p = palette();
    p.setColor(QPalette::Window, kTopColour);
    p.setColor(QPalette::WindowText, QColor(20, 30, 60));
    p.setColor(QPalette::ButtonText, QColor(10, 20, 50));
    setPalette(p);

    // Covers the background and lets presses through, so that the window can be dragged by it.
    auto* background = new QLabel(this);
    background->setObjectName("backgroundLabel");
    background->setGeometry(0, 0, width(), height());
    background->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_heading = new QLabel("Alarms triggered:", this);
    m_heading->setObjectName("headingLabel");
    QFont verdana("Verdana");
    verdana.setPointSize(10);
    verdana.setBold(true);
    m_heading->setFont(verdana);
    m_heading->setGeometry(kMargin + 6, 12, 220, 22);
    m_heading->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* logo = new QLabel(this);
    logo->setObjectName("logoPicture");
    logo->setGeometry(kWidth - kMargin - 6 - 32, 8, 32, 32);
    logo->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    logo->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_list = new QListWidget(this);
    m_list->setObjectName("alarmList");
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setGeometry(kMargin + 6, 42, kWidth - 2 * kMargin - 12, 110);

    m_okButton = new clsButton(this);
    m_okButton->setObjectName("okButton");
    m_okButton->setGeometry(kMargin + 6, height() - 46, 90, 30);
    m_openButton = new clsButton(this);
    m_openButton->setObjectName("openButton");
    m_openButton->setGeometry(kWidth - kMargin - 6 - 150, height() - 46, 150, 30);
    QFont buttonFont = font();
    buttonFont.setBold(true);
    m_okButton->setFont(buttonFont);
    m_openButton->setFont(buttonFont);

    connect(m_okButton, &clsButton::clicked, this, &QWidget::close);
    connect(m_openButton, &clsButton::clicked, this, [this] {
        emit openMainWindowRequested();
        if (m_countdown != Countdown::Running) {
            close();
        }
    });
}

void splashForm::buildCountdown() {
    const int top = kHeight - 46 - 4;
    m_countdownLabel = new QLabel(this);
    m_countdownLabel->setObjectName("countdownLabel");
    m_countdownLabel->setGeometry(kMargin + 6, top, kWidth - 2 * kMargin - 12 - 96, 30);
    m_countdownLabel->setWordWrap(true);
    m_countdownLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont bold = m_countdownLabel->font();
    bold.setBold(true);
    m_countdownLabel->setFont(bold);
    if (m_disconnectSettings.cancellable) {
        m_cancelButton = new clsButton(this);
        m_cancelButton->setObjectName("cancelButton");
        m_cancelButton->setGeometry(kWidth - kMargin - 6 - 90, top, 90, 30);
        m_cancelButton->setFont(m_okButton->font());
        connect(m_cancelButton, &clsButton::clicked, this, &splashForm::cancelCountdown);
    }
    m_countdownTimer.setInterval(kCountdownStepMs);
    connect(&m_countdownTimer, &QTimer::timeout, this, &splashForm::tick);
}

void splashForm::showCountdownText(const QString& text) {
    m_countdownLabel->setText(text);
}

void splashForm::tick() {
    if (--m_secondsLeft > 0) {
        showCountdownText(countdownText(m_secondsLeft));
        return;
    }
    disconnectNow();
}

void splashForm::cancelCountdown() {
    if (m_countdown != Countdown::Running) {
        return;
    }
    m_countdownTimer.stop();
    m_countdown = Countdown::Cancelled;
    m_cancelButton->hide();
    m_okButton->show();
    showCountdownText(QStringLiteral("Disconnection cancelled"));
    qInfo().noquote() << "tallywave: automatic disconnection cancelled";
}

void splashForm::disconnectNow() {
    m_countdownTimer.stop();
    m_countdown = Countdown::Done;
    if (m_cancelButton) {
        m_cancelButton->hide();
    }
    showCountdownText(QStringLiteral("Disconnecting..."));
    const std::vector<DisconnectOutcome> outcomes = m_disconnect ? m_disconnect() : std::vector<DisconnectOutcome>{};
    std::size_t done = 0;
    for (const DisconnectOutcome& outcome : outcomes) {
        done += outcome.disconnected ? 1 : 0;
        m_list->addItem(QString::fromStdString(outcome.text));
        qInfo().noquote() << "tallywave:" << QString::fromStdString(outcome.text);
    }
    if (outcomes.empty()) {
        const QString none = QStringLiteral("No monitored connection to disconnect.");
        m_list->addItem(none);
        qInfo().noquote() << "tallywave:" << none;
    }
    m_list->scrollToBottom();
    showCountdownText(done == 0                 ? QStringLiteral("Not disconnected")
                      : done == outcomes.size() ? QStringLiteral("Disconnected")
                                                : QStringLiteral("Partly disconnected"));
    m_okButton->show();
}

void splashForm::updateLabels(const std::vector<std::string>& descriptions) {
    for (const std::string& text : descriptions) {
        m_list->addItem(QString::fromStdString(text));
    }
    m_list->scrollToBottom();
}

QStringList splashForm::lines() const {
    QStringList out;
    for (int i = 0; i < m_list->count(); ++i) {
        out << m_list->item(i)->text();
    }
    return out;
}

bool splashForm::PlayWAVFile(const QString& path, bool /*async*/) {
    if (!m_sound) {
        m_sound = new AlarmSound(this);
    }
    return m_sound->play(path);
}

void splashForm::StopPlayingWAV() {
    if (m_sound) {
        m_sound->stop();
    }
}

void splashForm::applyTransparency() {
    // Like the sound, transparency applies once the alarm window has stored it: a fresh installation is opaque.
    if (iniToInt(readIni(m_settingsPath, kIsInvisibleInNotification)) == 0) {
        return;
    }
    const int step = std::clamp(iniToInt(readIni(m_settingsPath, kPercentInvisible)), 0, kPercentSteps - 1);
    setWindowOpacity(1.0 - (step + 1) * 0.05);
}

void splashForm::startSound() {
    // A fresh installation is silent until the alarm window has been confirmed once.
    if (readIni(m_settingsPath, kAudibleAlarmInNotification) != "1") {
        return;
    }
    const std::string path = readIni(m_settingsPath, kAudioPath, m_defaultSoundPath);
    if (path.empty() || !fileExists(path)) {
        return;
    }
    m_soundStarted = true;
    PlayWAVFile(QString::fromStdString(path), true);
}

void splashForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    applyRoundedShape();
    if (!m_buttonsDrawn) {
        // The buttons' faces are the window underneath: draw them once the window has its final look.
        m_okButton->InitButton("OK", false, 0.75f, 5, 5, true);
        m_openButton->InitButton("Open " + appTitle(), false, 0.75f, 5, 5, true);
        if (m_cancelButton) {
            m_cancelButton->InitButton("Cancel", false, 0.75f, 5, 5, true);
        }
        m_buttonsDrawn = true;
    }
    raise();
    if (!m_soundStarted) {
        startSound();
    }
    if (m_disconnectSettings.automatic && m_countdown == Countdown::Off) {
        m_countdown = Countdown::Running;
        m_secondsLeft = m_disconnectSettings.delaySeconds;
        showCountdownText(countdownText(m_secondsLeft));
        qInfo().noquote() << "tallywave: an alarm fired; disconnecting in" << m_secondsLeft << "s";
        // Closing would end the countdown and so the disconnection: OK comes back when it is over.
        m_okButton->hide();
        m_countdownTimer.start();
    }
}

void splashForm::closeEvent(QCloseEvent* event) {
    // A countdown ends by Cancel or by disconnecting, never by closing the window.
    if (m_countdown == Countdown::Running) {
        event->ignore();
        return;
    }
    StopPlayingWAV();
    m_list->clear();
    QWidget::closeEvent(event);
}

void splashForm::applyRoundedShape() {
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width() + 1, height() + 1), kCornerEllipse / 2.0, kCornerEllipse / 2.0);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void splashForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, kTopColour);
    gradient.setColorAt(1, kBottomColour);
    painter.fillRect(rect(), gradient);
    painter.setPen(QPen(QColor(90, 115, 160), 2));
    painter.drawRoundedRect(QRectF(1, 1, width() - 2, height() - 2), kCornerEllipse / 2.0 - 1,
                            kCornerEllipse / 2.0 - 1);
}

void splashForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyRoundedShape();
}

void splashForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragStart = event->globalPosition().toPoint() - pos();
        m_dragging = true;
    }
}

void splashForm::mouseMoveEvent(QMouseEvent* event) {
    // Moves that a child ignored reach the window too: they drag it only after a press on the window itself.
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        moveOnScreen(event->globalPosition().toPoint() - m_dragStart);
    }
}

void splashForm::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
    }
}

void splashForm::moveOnScreen(QPoint topLeft) {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s) {
        const QRect area = s->geometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() + 1 - width())));
        topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height())));
    }
    move(topLeft);
}

} // namespace tw
