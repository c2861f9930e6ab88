// ZELVO: a darts score calculator for Count-Up and 301, on Qt.

#include "app/application.hpp"
#include "qt/application_setup.hpp"
#include "qt/qt_host.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    zelvo::setUpApplication();

    zelvo::QtHost host;
    zelvo::Application application(host);
    application.start();
    return QApplication::exec();
}
