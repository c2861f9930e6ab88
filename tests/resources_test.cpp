// The application icon: what the windows show and the .ico and .png the
// build writes from the same drawing must be one 32x32 black-and-white picture.

#include "resources/app_icon.hpp"

#include <QFile>
#include <QMap>
#include <QImage>
#include <gtest/gtest.h>

TEST(ApplicationIcon, OneBlackAndWhitePictureInTheWindowsTheIcoAndThePng)
{
    const QIcon icon = zelvo::applicationIcon();
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
    const QImage drawn = icon.pixmap(32).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(drawn.size(), QSize(32, 32));
    QMap<QRgb, int> pixels;
    for (int i = 0; i < 32 * 32; ++i)
        ++pixels[drawn.pixel(i % 32, i / 32)];
    EXPECT_EQ(pixels.keys(), QList<QRgb>({qRgb(0, 0, 0), qRgb(255, 255, 255)})) << "black and white alone";
    // Three glyphs in strokes two pixels wide: a fair share of ink on a mostly white ground.
    EXPECT_TRUE(pixels[qRgb(0, 0, 0)] > 32 * 32 / 10 && pixels[qRgb(0, 0, 0)] < 32 * 32 / 2) << pixels[qRgb(0, 0, 0)];

    // Decoded by Qt's own readers, not by the code that wrote them.
    for (const char* path : {ZELVO_ICO_FILE, ZELVO_PNG_FILE})
        EXPECT_EQ(QImage(QString::fromUtf8(path)).convertToFormat(QImage::Format_RGB32), drawn) << path;
    QFile ico(QString::fromUtf8(ZELVO_ICO_FILE));
    ASSERT_TRUE(ico.open(QIODevice::ReadOnly));
    // An icon (type 1) holding one image of one bit per pixel.
    EXPECT_EQ(ico.read(14).mid(2), QByteArray::fromHex("010001002020020001000100"));
}
