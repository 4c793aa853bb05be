#include "app/ui/ResourceImages.h"
#include "widgets/ui/ProgramCursors.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// Opaque pixels in the middle third: a picture, not an empty or fully transparent square.
int paintedPixels(const QImage& image) {
    int painted = 0;
    for (int y = image.height() / 3; y < 2 * image.height() / 3; ++y) {
        for (int x = image.width() / 3; x < 2 * image.width() / 3; ++x) {
            painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        }
    }
    return painted;
}

void expectPicture(const QPixmap& pixmap, int size, const char* what) {
    SCOPED_TRACE(what);
    ASSERT_FALSE(pixmap.isNull());
    EXPECT_EQ(pixmap.size(), QSize(size, size));
    EXPECT_GT(paintedPixels(pixmap.toImage()), 0);
}

} // namespace

// Whatever form the build carries them in (SVG, or PNGs rendered from it), every image reaches the windows drawn.
TEST(ResourceImagesTest, EveryImageIsDrawnAtTheSizeAsked) {
    for (int size : {16, 48, 64}) {
        expectPicture(tw::logoPixmap(size), size, "logo");
    }
    for (auto image : {tw::TrayImage::Idle, tw::TrayImage::Download, tw::TrayImage::Upload, tw::TrayImage::Both,
                       tw::TrayImage::Stopped, tw::TrayImage::Paused}) {
        expectPicture(tw::trayImage(image).pixmap(16, 16), 16, "tray");
    }
    for (const char* key :
         {"Start", "Pause", "Stop", "Settings", "Alarm", "Statistics", "Traceroute", "Whois", "Contents"}) {
        expectPicture(tw::toolbarImage(QString::fromLatin1(key)).pixmap(24, 24), 24, key);
    }
    for (const QCursor& cursor : {tw::chartEnlargeCursor(), tw::chartReduceCursor(), tw::linkCursor()}) {
        expectPicture(cursor.pixmap(), 32, "cursor");
    }
}

TEST(ResourceImagesTest, TrayImagesTellTheActivitiesApart) {
    const QImage idle = tw::trayImage(tw::TrayImage::Idle).pixmap(16, 16).toImage();
    const QImage download = tw::trayImage(tw::TrayImage::Download).pixmap(16, 16).toImage();
    const QImage upload = tw::trayImage(tw::TrayImage::Upload).pixmap(16, 16).toImage();
    EXPECT_NE(idle, download);
    EXPECT_NE(download, upload);
}
