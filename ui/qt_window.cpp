#include "ui/qt_window.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QString>

namespace zelvo {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename Control>
Control& control(QWidget& root, std::string_view name)
{
    auto* found = root.findChild<Control*>(fromUtf8(name));
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
    control<QLineEdit>(root, field).setText(fromUtf8(text));
}

void QtWindow::setCaption(std::string_view label, std::string_view caption)
{
    control<QLabel>(root, label).setText(fromUtf8(caption));
}

void QtWindow::showMessage(std::string_view message)
{
    QMessageBox box(&root);
    box.setWindowTitle(QString::fromLatin1(kApplicationTitle));
    box.setIcon(QMessageBox::NoIcon);
    // Messages carry the names players type; never let those be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(fromUtf8(message));
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace zelvo
