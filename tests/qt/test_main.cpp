// Shared main of the test programs. Qt runs on the offscreen platform, so
// that the suite runs the same on a desktop, a server and in CI; with
// ZELVO_TEST_PLATFORM=xcb it runs on the X server in DISPLAY instead (see
// under_twm.sh), and waits for its window manager first. The application is
// set up as main() sets it up.

#include "qt/application_setup.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <cstdio>

static QtMessageHandler defaultHandler = nullptr;

// A window manager frames a window before it maps it; none framing a probe
// window within a few seconds means none is running.
static bool windowManagerRuns()
{
    QWidget probe;
    probe.resize(40, 30);
    probe.show();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000) {
        if (QTest::qWaitForWindowExposed(&probe, 100) && !probe.windowHandle()->frameMargins().isNull())
            return true;
    }
    return false;
}

int main(int argc, char** argv)
{
    const QByteArray platform = qgetenv("ZELVO_TEST_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    // The offscreen platform cannot fix a window's size, raise a window or
    // grab the keyboard for a popup menu, and says so every time.
    defaultHandler = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.startsWith(QLatin1String("This plugin does not support")))
            defaultHandler(type, context, text);
    });
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    zelvo::setUpApplication();
    if (platform == "xcb" && !windowManagerRuns()) {
        std::fprintf(stderr, "no window manager frames the windows on this X server\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
