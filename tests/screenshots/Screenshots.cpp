#include "Screenshots.h"

#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace twtest {

QString screenshotPath(const char* name) {
    QString dir = qEnvironmentVariable("TALLYWAVE_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
        dir = QStringLiteral("screenshots");
    }
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + QString::fromLatin1(name);
}

void saveScreenshot(QWidget& widget, const char* name) {
    widget.show();
    QTest::qWait(50);
    saveScreenshot(widget.grab().toImage(), name);
}

void saveScreenshot(const QImage& picture, const char* name) {
    const QString path = screenshotPath(name);
    EXPECT_FALSE(picture.isNull()) << name;
    EXPECT_TRUE(picture.save(path)) << path.toStdString();
}

} // namespace twtest
