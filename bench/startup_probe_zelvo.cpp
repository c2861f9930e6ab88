// Starts ZELVO as shell/main.cpp does and ends once the menu window has been
// shown: the start-up a player waits for, and no more.

#include "bench/first_expose.hpp"
#include "shell/application_setup.hpp"
#include "shell/application_shell.hpp"
#include "shell/window_designs.hpp"
#include "ui/qt_window.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    zelvo::setUpApplication();

    const zelvo::bench::ExitAtFirstExpose probe(zelvo::qtText(zelvo::kMenuWindow));
    zelvo::Shell shell;
    QObject::connect(&shell, &zelvo::Shell::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    shell.start();
    return QApplication::exec();
}
