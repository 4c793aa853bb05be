#include "app/ui/WebPages.h"

#include "platform/SystemTexts.h"
#include "widgets/ui/MessageBoxes.h"
#include "widgets/ui/UiText.h"

#include <QDesktopServices>

namespace tw {

namespace {

UrlOpener& currentOpener() {
    static UrlOpener opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}

QString fullVersion() {
    return QStringLiteral("%1.%2.%3")
        .arg(TALLYWAVE_VERSION_MAJOR)
        .arg(TALLYWAVE_VERSION_MINOR)
        .arg(TALLYWAVE_BUILD_NUMBER);
}

} // namespace

QString aboutVersionText() {
    return QStringLiteral("Version %1.%2 Build #%3")
        .arg(TALLYWAVE_VERSION_MAJOR)
        .arg(TALLYWAVE_VERSION_MINOR)
        .arg(TALLYWAVE_BUILD_NUMBER);
}

QString webQuery() {
    const QString title = appTitle();
    return QStringLiteral("?ref=") + QString::fromLatin1(QUrl::toPercentEncoding(title)) + QStringLiteral("&v=") +
           fullVersion();
}

QString productPageUrl() {
    return QString::fromLatin1(kWebSiteHost) + QStringLiteral("/developed/tallywave/index.php") + webQuery();
}

QString makerPageUrl() {
    return QString::fromLatin1(kWebSiteHost) + QStringLiteral("/index.php") + webQuery();
}

UrlOpener setUrlOpener(UrlOpener opener) {
    UrlOpener previous = std::move(currentOpener());
    currentOpener() = std::move(opener);
    return previous;
}

bool openWithDesktop(const QUrl& url) {
    return currentOpener()(url);
}

bool openWebPage(const QString& url, QWidget* parent) {
    if (openWithDesktop(QUrl(url))) {
        return true;
    }
    showMessageBox(parent, QString::fromStdString(browserFailedText(url.toStdString())), QMessageBox::Warning);
    return false;
}

} // namespace tw
