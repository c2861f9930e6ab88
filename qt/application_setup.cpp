#include "qt/application_setup.hpp"

#include "qt/accessibility.hpp"
#include "qt/app_icon.hpp"
#include "resources/version.hpp"
#include "qt/window_builder.hpp"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

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
    // So does Qt itself (a text field's context menu, a box's button), in
    // whatever language the desktop runs. Without the translations installed
    // Qt falls back to English.
    auto* qtTexts = new QTranslator(QCoreApplication::instance());
    if (qtTexts->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
    else
        delete qtTexts;
    installAccessibleInterfaces();
}

} // namespace zelvo
