#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace tw {

// The maker's web site; the product and maker pages hang off it.
inline constexpr const char* kWebSiteHost = "https://tallywave.example";

// "Version 1.0 Build #7", from the program's version record.
QString aboutVersionText();
// "?ref=Tallywave&v=1.0.7"
QString webQuery();
QString productPageUrl();
QString makerPageUrl();

// Asks the desktop to open the address. On failure shows the message with the address to type by hand and returns
// false.
bool openWebPage(const QString& url, QWidget* parent = nullptr);

// Opens a URL or a local file with the desktop's handler. Tests replace it so that nothing is launched.
using UrlOpener = std::function<bool(const QUrl&)>;
UrlOpener setUrlOpener(UrlOpener opener);
bool openWithDesktop(const QUrl& url);

} // namespace tw
