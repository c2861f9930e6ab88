// The application icon: what the windows show and the .ico and .png the
// build writes from the same drawing must be one 32x32 black-and-white picture,
// and the icon theme's other sizes that picture scaled by whole pixels.

#include "qt/app_icon.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QImage>
#include <gtest/gtest.h>

#include <string>

namespace {

QImage drawnIcon()
{
    return zelvo::applicationIcon().pixmap(32).toImage().convertToFormat(QImage::Format_RGB32);
}

QString pointText(int x, int y) { return QStringLiteral("(%1, %2)").arg(x).arg(y); }

// How many points, and the first few: enough to find a fault without a
// screenful of coordinates for a 256x256 image.
std::string pointsText(const QStringList &points)
{
    QString text = QString::number(points.size()) + QStringLiteral(" in all, first ")
                   + points.mid(0, 6).join(u' ');
    return text.toStdString();
}

} // namespace

TEST(ApplicationIcon, OneBlackAndWhitePictureInTheWindowsTheIcoAndThePng)
{
    const QIcon icon = zelvo::applicationIcon();
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
    const QImage drawn = drawnIcon();
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

// Every size the hicolor theme gets: Qt decodes it at its nominal size, each
// pixel the drawing's pixel under its top-left corner. The drawing being
// black and white, so is every size, and a whole multiple of 32 turns every
// drawn pixel into one uniform square: nothing blurred.
TEST(ApplicationIcon, EveryThemeSizeIsTheDrawingSampledByWholePixels)
{
    const QImage drawn = drawnIcon();
    ASSERT_EQ(drawn.size(), QSize(32, 32));
    // The 32x32 PNG lies in <theme>/32x32/apps, the other sizes beside that folder.
    const QFileInfo png32(QString::fromUtf8(ZELVO_PNG_FILE));
    QDir theme = png32.dir();
    ASSERT_TRUE(theme.cd(QStringLiteral("../.."))) << theme.path().toStdString();

    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QString path = theme.filePath(QStringLiteral("%1x%1/apps/").arg(size) + png32.fileName());
        QImage image(path);
        ASSERT_FALSE(image.isNull()) << path.toStdString();
        ASSERT_EQ(image.size(), QSize(size, size));
        image = image.convertToFormat(QImage::Format_RGB32);
        QStringList resampled;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (image.pixel(x, y) != drawn.pixel(x * 32 / size, y * 32 / size))
                    resampled << pointText(x, y);
        EXPECT_TRUE(resampled.isEmpty()) << "not the drawing's pixel: " << pointsText(resampled);
    }
}
