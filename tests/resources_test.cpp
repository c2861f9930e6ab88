// The application icon: what the windows show, and the .ico and .png the
// build writes for Windows and the Linux icon theme, must be one picture.

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QtEndian>
#include <gtest/gtest.h>

#include "resources/app_icon.hpp"

namespace {

QImage windowIcon()
{
    const QIcon icon = zelvo::applicationIcon();
    return icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_RGB32);
}

// Decoded by Qt's own readers, not by the code that wrote the files.
QImage decoded(const char *path)
{
    QImage image(QString::fromUtf8(path));
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(ApplicationIcon, IsOne32By32PictureInBlackAndWhite)
{
    const QIcon icon = zelvo::applicationIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(32, 32)});

    const QImage image = windowIcon();
    ASSERT_EQ(image.size(), QSize(32, 32));
    int black = 0;
    int white = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == qRgb(0, 0, 0))
                ++black;
            else if (pixel == qRgb(255, 255, 255))
                ++white;
            else
                ADD_FAILURE() << "pixel " << x << "," << y << " is neither black nor white";
        }
    }
    // Three glyphs in strokes two pixels wide: a fair share of ink, mostly white ground.
    EXPECT_GT(black, 32 * 32 / 10);
    EXPECT_GT(white, 32 * 32 / 2);
}

TEST(ApplicationIcon, BuiltIcoAndPngMatchTheDrawing)
{
    const QImage expected = windowIcon();
    for (const char *path : {ZELVO_ICO_FILE, ZELVO_PNG_FILE}) {
        SCOPED_TRACE(path);
        const QImage image = decoded(path);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image, expected);
    }
}

TEST(ApplicationIcon, BuiltIcoHoldsOneImageAtOneBitPerPixel)
{
    QFile file(QString::fromUtf8(ZELVO_ICO_FILE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 6 + 16 + 40);
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };

    EXPECT_EQ(u16(2), 1); // an icon, not a cursor
    EXPECT_EQ(u16(4), 1); // one image
    EXPECT_EQ(u16(6 + 6), 1); // directory entry: bits per pixel
    const quint32 offset = qFromLittleEndian<quint32>(bytes.constData() + 6 + 12);
    ASSERT_LE(offset + 40, quint32(bytes.size()));
    EXPECT_EQ(u16(int(offset) + 14), 1); // bitmap header: bits per pixel
}
