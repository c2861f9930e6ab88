#include "qt/window_placement.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace zelvo {

namespace {

// Where a window of this size, frame included, stands centred on the screen's available area.
QPoint centredFrame(QSize frame, const QScreen& screen)
{
    QRect placed(QPoint(), frame);
    placed.moveCenter(screen.availableGeometry().center());
    return placed.topLeft();
}

// Moves a centred window once its frame is known, should that frame differ
// from the one it was placed by: on its first expose, before it is painted,
// or as soon after as the window manager has framed it. QWindow asks the
// window system for the frame; QWidget's copy may still lag behind.
class Recentring final : public QObject {
public:
    explicit Recentring(QWidget& window)
        : QObject(window.windowHandle())
        , window(window)
    {
        window.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        QWindow* handle = window.windowHandle();
        const QScreen* screen = QGuiApplication::primaryScreen();
        if ((event->type() != QEvent::Expose && event->type() != QEvent::Move) || !handle->isExposed()
            || handle->frameMargins().isNull() || !screen)
            return QObject::eventFilter(watched, event);
        const QRect frame = handle->frameGeometry();
        const QPoint wanted = centredFrame(frame.size(), *screen);
        if (frame.topLeft() != wanted)
            window.setGeometry(QRect(window.geometry().topLeft() + wanted - frame.topLeft(), window.size()));
        handle->removeEventFilter(this);
        deleteLater();
        return false;
    }

private:
    QWidget& window;
};

} // namespace

void placeWindow(QWidget& window, const WindowDesign& design, QMargins frame)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect client(QPoint(), window.size());
    if (design.fixedPosition) {
        client.moveTopLeft(screen->geometry().topLeft()
                          + QPoint(twipsToPixels(design.fixedPosition->x), twipsToPixels(design.fixedPosition->y)));
        window.setGeometry(client);
        return;
    }
    client.moveTopLeft(centredFrame(client.size().grownBy(frame), *screen) + QPoint(frame.left(), frame.top()));
    window.setGeometry(client);
    window.winId(); // the native window, so that its first expose can be watched
    new Recentring(window);
}

} // namespace zelvo
