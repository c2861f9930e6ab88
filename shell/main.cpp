// ZELVO: a darts score calculator for Count-Up and 301.

#include "shell/application_setup.hpp"
#include "shell/application_shell.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    zelvo::setUpApplication();

    zelvo::Shell shell;
    QObject::connect(&shell, &zelvo::Shell::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    shell.start();
    return QApplication::exec();
}
