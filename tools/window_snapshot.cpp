// Opens one window of ZELVO as the program would (built from its design,
// Form_Load run, placed and shown) and saves what the screen shows of it:
// window_snapshot Form4 countup-4.png. Run it under a real X server
// (xvfb-run) to see the fonts as players will.

#include "app/application.hpp"
#include "app/window_designs.hpp"
#include "qt/application_setup.hpp"
#include "qt/qt_window.hpp"
#include "qt/window_builder.hpp"
#include "qt/window_placement.hpp"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FormN output.png\n", argv[0]);
        return 2;
    }
    zelvo::setUpApplication();
    const zelvo::WindowDesign& design = zelvo::windowDesign(argv[1]);
    const std::unique_ptr<QWidget> window = zelvo::buildWindow(design);
    if (design.sheet) {
        zelvo::QtWindow view(*window);
        zelvo::makeSheet(*design.sheet)->load(view);
    }
    zelvo::placeWindow(*window, design);
    window->show();
    int status = 1;
    // Give the window server time to map and paint the window.
    QTimer::singleShot(500, [&] {
        const QPixmap shot = window->screen()->grabWindow(0, window->frameGeometry().x(), window->frameGeometry().y(),
                                                          window->frameGeometry().width(), window->frameGeometry().height());
        status = shot.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return status;
}
