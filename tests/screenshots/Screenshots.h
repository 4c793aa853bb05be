#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace twtest {

// The pictures of the documentation: written into $TALLYWAVE_SCREENSHOT_DIR (scripts/screenshots.sh points it at
// docs/screenshots), else into "screenshots" in the working folder.
QString screenshotPath(const char* name);
// Shows the widget, lets it settle, and saves what it paints; a picture that cannot be saved fails the run.
void saveScreenshot(QWidget& widget, const char* name);
void saveScreenshot(const QImage& picture, const char* name);

} // namespace twtest
