#include "desktop/XDesktop.h"

#include <QProcess>
#include <QRegularExpression>

#include <sstream>

namespace twtest::xdesktop {

namespace {

int intAfter(const std::string& text, const std::string& label) {
    const std::size_t at = text.find(label);
    return at == std::string::npos ? 0 : std::atoi(text.c_str() + at + label.size());
}

std::vector<unsigned long> ids(const std::string& lines) {
    std::vector<unsigned long> out;
    std::istringstream in(lines);
    for (unsigned long id = 0; in >> id;) {
        out.push_back(id);
    }
    return out;
}

} // namespace

std::string run(const QString& program, const QStringList& args, int timeoutMs) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return p.exitCode() == 0 ? p.readAllStandardOutput().toStdString() : std::string();
}

std::vector<unsigned long> viewableWindows(const QString& titleRegex) {
    return ids(run("xdotool", {"search", "--onlyvisible", "--name", titleRegex}));
}

std::vector<unsigned long> viewableWindowsOfClass(const QString& classRegex) {
    return ids(run("xdotool", {"search", "--onlyvisible", "--class", classRegex}));
}

std::vector<unsigned long> programWindows() {
    return ids(run("xdotool", {"search", "--class", "^tallywave$"}));
}

std::string windowTitle(unsigned long id) {
    std::string name = run("xdotool", {"getwindowname", QString::number(id)});
    while (!name.empty() && name.back() == '\n') {
        name.pop_back();
    }
    return name;
}

Rect geometry(unsigned long id) {
    const std::string info = run("xwininfo", {"-id", QString::number(id)});
    return {intAfter(info, "Absolute upper-left X:"), intAfter(info, "Absolute upper-left Y:"),
            intAfter(info, "Width:"), intAfter(info, "Height:")};
}

bool isViewable(unsigned long id) {
    return run("xwininfo", {"-id", QString::number(id)}).find("Map State: IsViewable") != std::string::npos;
}

std::string wmState(unsigned long id) {
    const std::string state = property(id, "WM_STATE");
    for (const char* s : {"Iconic", "Normal"}) {
        if (state.find(std::string("window state: ") + s) != std::string::npos) {
            return s;
        }
    }
    return {};
}

std::string property(unsigned long id, const char* name) {
    const std::string out = run("xprop", {"-id", QString::number(id), name});
    return out.find("not found") != std::string::npos || out.find("no such atom") != std::string::npos ? std::string()
                                                                                                       : out;
}

std::optional<Rect> trayIcon(const QString& trayClass) {
    // xwininfo -tree prints each window as: <indent>0x<id> "<name>": ("<instance>" "<class>")  WxH+x+y  +X+Y
    static const QRegularExpression window(
        R"re(^(\s*)(0x[0-9a-f]+) (.*)\s(\d+)x(\d+)[+-]\d+[+-]\d+\s+\+(-?\d+)\+(-?\d+)\s*$)re");
    static const QRegularExpression windowClass(R"re(\("([^"]*)" "([^"]*)"\))re");
    const QStringList tree = QString::fromStdString(run("xwininfo", {"-root", "-tree"})).split('\n');
    qsizetype trayIndent = -1;
    for (const QString& text : tree) {
        const QRegularExpressionMatch m = window.match(text);
        if (!m.hasMatch()) {
            continue;
        }
        const qsizetype indent = m.capturedLength(1);
        if (trayIndent >= 0 && indent <= trayIndent) {
            trayIndent = -1; // past the tray's windows
        }
        const QRegularExpressionMatch c = windowClass.match(m.captured(3));
        if (!c.hasMatch()) {
            continue;
        }
        if (trayIndent < 0 && c.captured(2) == trayClass) {
            trayIndent = indent;
        } else if (trayIndent >= 0 && c.captured(1) == QLatin1String("tallywave")) {
            // Embedded but not yet shown, the icon may lose a click.
            if (!isViewable(m.captured(2).toULong(nullptr, 16))) {
                return std::nullopt;
            }
            return Rect{m.captured(6).toInt(), m.captured(7).toInt(), m.captured(4).toInt(), m.captured(5).toInt()};
        }
    }
    return std::nullopt;
}

void click(int x, int y, int button, int repeat) {
    // Not "mousemove --sync": it waits for a motion that never comes when the pointer is already there.
    run("xdotool", {"mousemove", QString::number(x), QString::number(y), "sleep", "0.2", "click", "--repeat",
                    QString::number(repeat), "--delay", "120", QString::number(button)});
}

void closeBox(unsigned long id) {
    run("wmctrl", {"-i", "-c", QStringLiteral("0x%1").arg(id, 0, 16)});
}

void keys(const QStringList& keys) {
    run("xdotool", QStringList{"key", "--delay", "150"} + keys);
}

bool screenshot(const Rect& area, const QString& path) {
    const QString crop = QStringLiteral("%1x%2+%3+%4").arg(area.width).arg(area.height).arg(area.x).arg(area.y);
    QProcess p;
    p.start("import", {"-window", "root", "-crop", crop, "+repage", path});
    return p.waitForFinished(20000) && p.exitCode() == 0;
}

} // namespace twtest::xdesktop
