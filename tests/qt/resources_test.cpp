// The application icon: what the windows show and the .ico and .png files the
// build writes from the same drawing must be one 32x32 black-and-white
// picture, and the icon theme's other sizes that picture scaled by whole pixels.

#include "qt/app_icon.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>

// Decoded by Qt's own readers, not by the code that wrote them. Every size
// the hicolor theme gets is decoded at its nominal size, each pixel the
// drawing's pixel under its top-left corner, so nothing blurred.
TEST(ApplicationIcon, TheIcoAndEveryThemeSizeAreTheDrawing)
{
    const QIcon icon = zelvo::applicationIcon();
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
    const QImage drawn = icon.pixmap(32).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(drawn.size(), QSize(32, 32));

    EXPECT_EQ(QImage(QString::fromUtf8(ZELVO_ICO_FILE)).convertToFormat(QImage::Format_RGB32), drawn);
    QFile ico(QString::fromUtf8(ZELVO_ICO_FILE));
    ASSERT_TRUE(ico.open(QIODevice::ReadOnly));
    // An icon (type 1) holding one image of one bit per pixel.
    EXPECT_EQ(ico.read(14).mid(2), QByteArray::fromHex("010001002020020001000100"));

    // The 32x32 PNG lies in <theme>/32x32/apps, the other sizes beside that folder.
    const QFileInfo png32(QString::fromUtf8(ZELVO_PNG_FILE));
    QDir theme = png32.dir();
    ASSERT_TRUE(theme.cd(QStringLiteral("../.."))) << theme.path().toStdString();
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage image = QImage(theme.filePath(QStringLiteral("%1x%1/apps/").arg(size) + png32.fileName()))
                                 .convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(image.size(), QSize(size, size));
        int resampled = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                resampled += image.pixel(x, y) != drawn.pixel(x * 32 / size, y * 32 / size);
        EXPECT_EQ(resampled, 0) << "pixels that are not the drawing's pixel under them";
    }
}
