#include "app/ui/frmSplash.h"

#include "app/ui/ResourceImages.h"
#include "widgets/ui/UiText.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace tw {

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint), m_status(new QLabel), m_bar(new QProgressBar) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QString());
    setWindowModality(Qt::NonModal);

    auto* frame = new QFrame;
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(1);

    auto* logo = new QLabel;
    logo->setObjectName(QStringLiteral("logoImage"));
    logo->setPixmap(logoPixmap(48));

    auto* headline = new QLabel(QStringLiteral("Please wait..."));
    headline->setObjectName(QStringLiteral("headlineLabel"));
    QFont big = headline->font();
    big.setPointSizeF(big.pointSizeF() * 1.35);
    big.setBold(true);
    headline->setFont(big);

    // The design text "Loading the graphics..." is replaced by an empty line at load.
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_status->setText(QString());
    m_status->setMinimumWidth(260);

    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setFixedHeight(16);

    auto* texts = new QVBoxLayout;
    texts->addWidget(headline);
    texts->addWidget(m_status);
    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addLayout(texts, 1);
    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(14, 14, 14, 14);
    inner->addLayout(top);
    inner->addSpacing(6);
    inner->addWidget(m_bar);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
}

void frmSplash::Progress(int value) {
    m_bar->setValue(std::clamp(value, 0, 100));
}

void frmSplash::updateLabel(const QString& text) {
    m_status->setText(text);
    if (isVisible()) {
        repaint();
    }
    // Paint and timers only: a click queued now must not reach the windows behind while the caller works.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmSplash::setLabel(std::string_view text) {
    updateLabel(toQString(text));
}

int frmSplash::progressValue() const {
    return m_bar->value();
}

QString frmSplash::statusText() const {
    return m_status->text();
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

void frmSplash::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

} // namespace tw
