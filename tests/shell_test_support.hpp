#pragma once

// Helpers for driving the real windows offscreen: find controls by their
// design names, type, click, choose menu commands with the mouse, and count
// the windows that are still alive once Qt has carried out pending deletions.

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace zelvo::testing {

template <typename Control>
Control* control(QWidget* window, const QString& name)
{
    Control* found = window ? window->findChild<Control*>(name) : nullptr;
    if (!found)
        ADD_FAILURE() << "no control " << name.toStdString() << " in "
                      << (window ? window->objectName().toStdString() : "no window");
    return found;
}

inline QString textOf(QWidget* window, const QString& field)
{
    auto* edit = control<QLineEdit>(window, field);
    return edit ? edit->text() : QString();
}

inline void type(QWidget* window, const QString& field, const QString& text)
{
    if (auto* edit = control<QLineEdit>(window, field))
        edit->setText(text);
}

inline void click(QWidget* window, const QString& button)
{
    if (auto* found = control<QPushButton>(window, button))
        found->click();
}

inline QMenuBar* menuBarOf(QWidget* window)
{
    auto* mainWindow = qobject_cast<QMainWindow*>(window);
    return mainWindow ? mainWindow->menuBar() : nullptr;
}

// Chooses a menu command the way a player does: press and release the mouse
// on it in the menu bar.
inline void choose(QWidget* window, const QString& command)
{
    QMenuBar* bar = menuBarOf(window);
    auto* action = control<QAction>(bar, command);
    if (!action)
        return;
    const QPointF at = bar->actionGeometry(action).center();
    const QPointF global = bar->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
    QApplication::sendEvent(bar, &release);
}

inline void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The names of all live top-level windows of the program, sorted.
inline QStringList liveWindows(bool visibleOnly = false)
{
    QStringList names;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName().startsWith(QLatin1String("Form")) && (!visibleOnly || widget->isVisible()))
            names << widget->objectName();
    names.sort();
    return names;
}

} // namespace zelvo::testing
