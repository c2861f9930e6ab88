#include "qt/application_setup.hpp"

#include "qt/app_icon.hpp"
#include "resources/version.hpp"
#include "qt/window_builder.hpp"

#include <QApplication>

namespace zelvo {

void setUpApplication()
{
    // No display name: X11 would append it to every window caption.
    QApplication::setApplicationName(QString::fromLatin1(kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QApplication::setWindowIcon(applicationIcon());
    // Lets Wayland desktops match the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAppId));
    // Message boxes are windows of their own; they speak Japanese as well.
    QApplication::setFont(windowDefaultFont());
}

} // namespace zelvo
