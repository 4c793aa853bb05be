#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace twtest {

// What a person sees and does on the X display of $DISPLAY, through the X tools (xdotool, xwininfo, xprop,
// ImageMagick's import): windows found by title, their state and place, mouse clicks and key presses sent as real
// input through the server.
namespace xdesktop {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int centreX() const { return x + width / 2; }
    int centreY() const { return y + height / 2; }
};

// Runs an X tool to its end and gives its standard output ("" when it failed).
std::string run(const QString& program, const QStringList& args, int timeoutMs = 15000);

// Mapped and viewable windows whose title matches the regular expression, as X window ids.
std::vector<unsigned long> viewableWindows(const QString& titleRegex);
std::vector<unsigned long> viewableWindowsOfClass(const QString& classRegex);
// Every window of the program (WM_CLASS "tallywave"), mapped or not.
std::vector<unsigned long> programWindows();
std::string windowTitle(unsigned long id);
Rect geometry(unsigned long id);
bool isViewable(unsigned long id);
// "Iconic", "Normal" or "" (withdrawn, or not managed) from WM_STATE.
std::string wmState(unsigned long id);
// An X property as xprop prints it ("" when absent).
std::string property(unsigned long id, const char* name);

// The program's icon in the XEmbed notification area, once it shows there: the window of class "tallywave" inside
// the tray's window tree (the tray's window found by its WM_CLASS class, e.g. "trayer").
std::optional<Rect> trayIcon(const QString& trayClass);

void click(int x, int y, int button, int repeat = 1);
// What the close box in the window's title bar does: the window manager asks the window to close.
void closeBox(unsigned long id);
void keys(const QStringList& keys);

// A picture of part of the screen, as a person sees it.
bool screenshot(const Rect& area, const QString& path);

} // namespace xdesktop

} // namespace twtest
