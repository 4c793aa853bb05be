#include "app/ui/frmAbout.h"

#include "app/ui/ResourceImages.h"
#include "app/ui/WebPages.h"
#include "widgets/ui/ProgramCursors.h"
#include "widgets/ui/UiText.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent), m_link(new QLabel) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + appTitle());
    setMouseTracking(true);

    auto* logo = new QLabel;
    logo->setObjectName(QStringLiteral("logoImage"));
    logo->setPixmap(logoPixmap(64));

    auto* name = new QLabel(appTitle());
    name->setObjectName(QStringLiteral("productLabel"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);

    auto* tagline = new QLabel(QStringLiteral("Network bandwidth monitor"));
    tagline->setObjectName(QStringLiteral("taglineLabel"));

    auto* line = new QFrame;
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* version = new QLabel(aboutVersionText());
    version->setObjectName(QStringLiteral("versionLabel"));

    m_link->setObjectName(QStringLiteral("linkLabel"));
    m_link->setText(QString::fromLatin1(kWebSiteHost));
    m_link->setToolTip(QStringLiteral("Visit the homepage"));
    m_link->setCursor(linkCursor());
    QPalette linkPalette = m_link->palette();
    linkPalette.setColor(QPalette::WindowText, palette().color(QPalette::Link));
    m_link->setPalette(linkPalette);
    m_link->setMouseTracking(true);
    m_link->installEventFilter(this);

    auto* close = new QPushButton(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(name);
    texts->addWidget(tagline);
    texts->addSpacing(6);
    texts->addWidget(line);
    texts->addSpacing(6);
    texts->addWidget(version);
    texts->addWidget(m_link);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addSpacing(14);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(18, 18, 18, 14);
    outer->addLayout(top);
    outer->addSpacing(10);
    outer->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

void frmAbout::setLinkUnderlined(bool underlined) {
    QFont font = m_link->font();
    if (font.underline() != underlined) {
        font.setUnderline(underlined);
        m_link->setFont(font);
    }
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_link) {
        switch (event->type()) {
        case QEvent::Enter:
            setLinkUnderlined(true);
            break;
        case QEvent::MouseMove:
            setLinkUnderlined(true);
            return true; // not on to the background, which removes the underline
        case QEvent::Leave:
            setLinkUnderlined(false);
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                openWebPage(makerPageUrl(), this);
            }
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    setLinkUnderlined(false);
    QDialog::mouseMoveEvent(event);
}

} // namespace tw
