#pragma once

#include <QString>

class QAction;
class QToolBar;
class QWidget;

namespace tw {

// "Toolbar1": one button per key, in order, with its image, tooltip and description (the tooltip again). Each
// button's action carries its key as objectName and data; a click is dispatched by the key.
struct MainToolbar {
    QToolBar* bar = nullptr;
    QAction* start = nullptr;
    QAction* pause = nullptr;
    QAction* stop = nullptr;
    QAction* statistics = nullptr;
    QAction* settings = nullptr;
    QAction* alarm = nullptr;
    QAction* traceroute = nullptr;
    QAction* whois = nullptr;
    QAction* contents = nullptr;

    // setupToolbar
    static MainToolbar build(QWidget* parent);
    QAction* button(const QString& key) const;
};

} // namespace tw
