// Opens one window of ZELVO as the program would and saves what the screen
// shows of it: window_snapshot Form4 countup-4.png. Run it under a real X
// server (xvfb-run) to see the fonts as players will.

#include "shell/application_shell.hpp"
#include "shell/window_builder.hpp"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FormN output.png\n", argv[0]);
        return 2;
    }
    QApplication::setFont(zelvo::windowDefaultFont());
    zelvo::Shell shell;
    shell.switchTo(argv[1]);
    int status = 1;
    // Give the window server time to map and paint the window.
    QTimer::singleShot(500, [&] {
        QWidget* window = shell.currentWindow();
        const QPixmap shot = window->screen()->grabWindow(0, window->x(), window->y(), window->width(),
                                                          window->height());
        status = shot.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return status;
}
