// Shared main of the test programs: the offscreen platform is chosen here so
// that the suite runs the same on a desktop, a server and in CI.

#include <QApplication>
#include <gtest/gtest.h>

static QtMessageHandler defaultHandler = nullptr;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform cannot fix a window's size and says so for every window built.
    defaultHandler = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.contains(QLatin1String("does not support propagateSizeHints")))
            defaultHandler(type, context, text);
    });
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
