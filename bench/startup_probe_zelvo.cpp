// Starts ZELVO as qt/main.cpp does and ends once the menu window has been
// shown: the start-up a player waits for, and no more.

#include "app/application.hpp"
#include "app/window_designs.hpp"
#include "bench/first_expose.hpp"
#include "qt/application_setup.hpp"
#include "qt/qt_host.hpp"
#include "qt/qt_window.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    zelvo::setUpApplication();

    const zelvo::bench::ExitAtFirstExpose probe(zelvo::qtText(zelvo::kMenuWindow));
    zelvo::QtHost host;
    zelvo::Application application(host);
    application.start();
    return QApplication::exec();
}
