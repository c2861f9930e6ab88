// ZELVO: a darts score calculator for Count-Up and 301.

#include "resources/app_icon.hpp"
#include "resources/version.hpp"
#include "shell/application_shell.hpp"
#include "shell/window_builder.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // No display name: X11 would append it to every window caption.
    QApplication::setApplicationName(QString::fromLatin1(zelvo::kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(zelvo::kVersion));
    QApplication::setWindowIcon(zelvo::applicationIcon());
    // Lets Wayland desktops match the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(zelvo::kAppId));
    // Message boxes are windows of their own; they speak Japanese as well.
    QApplication::setFont(zelvo::windowDefaultFont());

    zelvo::Shell shell;
    QObject::connect(&shell, &zelvo::Shell::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    shell.start();
    return QApplication::exec();
}
