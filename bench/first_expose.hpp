#pragma once

// Ends a start-up probe once its first window is on screen: at the first
// expose of the named top-level widget's native window, and only after the
// widget has handled that expose, which is when it paints its first frame.
//
// The probe ends there with _Exit, skipping Qt's teardown: shutting down is
// not start-up, and it is lopsided. Qt's fontconfig database starts
// fontconfig in its destructor even in a program that never drew text, so a
// bare program would pay at exit, in time and in peak memory, what ZELVO
// pays to show its captions.
//
// A watchdog ends a probe whose window never shows with status 3, so a broken
// platform plugin cannot hang the bench.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace zelvo::bench {

class ExitAtFirstExpose final : public QObject {
public:
    explicit ExitAtFirstExpose(QString widgetName)
        : widgetName(std::move(widgetName))
    {
        QCoreApplication::instance()->installEventFilter(this);
        QTimer::singleShot(10000, QCoreApplication::instance(), [] { QCoreApplication::exit(3); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed() && isNamedWidget(window)) {
                seen = true;
                // Queued: the expose is handled (and painted) first.
                QTimer::singleShot(0, QCoreApplication::instance(), [] {
                    std::fflush(nullptr);
                    std::_Exit(0);
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool isNamedWidget(const QWindow* window) const
    {
        for (const QWidget* widget : QApplication::topLevelWidgets())
            if (widget->windowHandle() == window && widget->objectName() == widgetName)
                return true;
        return false;
    }

    QString widgetName;
    bool seen = false;
};

} // namespace zelvo::bench
