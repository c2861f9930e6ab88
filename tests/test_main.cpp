// Shared main of the test programs: the offscreen platform is chosen here so
// that the suite runs the same on a desktop, a server and in CI.

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// The offscreen platform cannot fix a window's size and says so every time a
// window is built; the warning tells nothing about the program.
QtMessageHandler defaultHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("does not support propagateSizeHints")))
        return;
    defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultHandler = qInstallMessageHandler(quietHandler);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
