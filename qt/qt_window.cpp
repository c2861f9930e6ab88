#include "qt/qt_window.hpp"

#include "qt/accessibility.hpp"
#include "resources/version.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace zelvo {

namespace {

template <typename Control>
Control& control(QWidget& root, std::string_view name)
{
    auto* found = root.findChild<Control*>(qtText(name));
    if (!found)
        throw WindowError("no control named " + std::string(name));
    return *found;
}

} // namespace

std::string QtWindow::text(std::string_view field) const
{
    return control<QLineEdit>(root, field).text().toStdString();
}

void QtWindow::setText(std::string_view field, std::string_view text)
{
    control<QLineEdit>(root, field).setText(qtText(text));
}

void QtWindow::setCaption(std::string_view label, std::string_view caption)
{
    control<QLabel>(root, label).setText(qtText(caption));
}

void QtWindow::showMessage(std::string_view message)
{
    QMessageBox box(&root);
    box.setWindowTitle(QString::fromLatin1(kProductName));
    box.setIcon(QMessageBox::NoIcon);
    // Messages carry the names players type; never let those be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(qtText(message));
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void QtWindow::announce(std::string_view text)
{
    QWidget* focused = root.focusWidget();
    announceOn(focused ? *focused : root, qtText(text));
}

} // namespace zelvo
