#pragma once

namespace tw {

// Whether the desktop's notification area is a StatusNotifierItem host (KDE Plasma, GNOME with AppIndicator, the
// Xfce and MATE plugins...), which Qt talks to over D-Bus when one is registered as the program starts, instead of
// embedding an XEmbed icon. Such a host reports a left click as an activation and has no double click.
bool notificationAreaIsStatusNotifierHost();

} // namespace tw
