#include "qt/qt_host.hpp"

#include "qt/qt_window.hpp"
#include "qt/window_builder.hpp"
#include "qt/window_placement.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <stdexcept>

namespace zelvo {

namespace {

// Carries a window's events to the application until the window is unloaded;
// from then on its late events go nowhere. A child of the window, it lives
// exactly as long as the widgets whose signals it receives.
class EventRelay final : public QObject {
public:
    EventRelay(QWidget& window, WindowEvents& events)
        : QObject(&window)
        , events(&events)
    {
        window.installEventFilter(this);
    }

    void detach() { events = nullptr; }

    void clicked(const std::string& control)
    {
        if (events)
            events->clicked(control);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Close || watched != parent())
            return QObject::eventFilter(watched, event);
        // The application decides: it unloads the window, and then the program ends.
        event->ignore();
        if (events)
            events->closeRequested();
        return true;
    }

private:
    WindowEvents* events;
};

template <typename Control>
Control& wired(QWidget& window, const std::string& name)
{
    auto* control = window.findChild<Control*>(qtText(name));
    if (!control)
        throw std::logic_error("no control " + name + " to wire in " + window.objectName().toStdString());
    return *control;
}

class QtLoadedWindow final : public LoadedWindow {
public:
    QtLoadedWindow(QtHost& host, std::unique_ptr<QWidget> built, const WindowDesign& design, EventRelay& relay)
        : host(host)
        , design(design)
        , widget(built.release())
        , controls(*widget)
        , relay(relay)
    {
    }

    // Deleted once control is back in the event loop: the application may
    // destroy the window from inside the signal of one of its own widgets.
    ~QtLoadedWindow() override { host.retire(widget); }

    std::string text(std::string_view field) const override { return controls.text(field); }
    void setText(std::string_view field, std::string_view text) override { controls.setText(field, text); }
    void setCaption(std::string_view label, std::string_view caption) override
    {
        controls.setCaption(label, caption);
        // A score's or the round's name says what the label now shows.
        for (const ControlDesign& control : design.controls)
            if (control.name == label && !control.accessibleName.empty())
                wired<QWidget>(*widget, control.name).setAccessibleName(qtText(accessibleName(control, caption)));
    }
    void showMessage(std::string_view message) override { controls.showMessage(message); }
    void announce(std::string_view text) override { controls.announce(text); }

    void show() override
    {
        placeWindow(*widget, design, host.lastFrame());
        widget->show();
        widget->activateWindow();
    }

    void hide() override
    {
        relay.detach();
        host.noteFrame(*widget);
        widget->hide();
    }

private:
    QtHost& host;
    const WindowDesign& design;
    QWidget* widget;
    QtWindow controls;
    EventRelay& relay;
};

} // namespace

QtHost::QtHost()
{
    // Between unloading one window and showing the next none is open; that
    // moment must not end the program. The application ends it instead.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

QtHost::~QtHost()
{
    for (const QPointer<QWidget>& window : retired)
        delete window.data();
}

std::unique_ptr<LoadedWindow> QtHost::build(const WindowDesign& design, WindowEvents& events)
{
    std::unique_ptr<QWidget> window = buildWindow(design);
    auto* relay = new EventRelay(*window, events);
    for (const ControlDesign& control : design.controls) {
        if (control.type != ControlType::CommandButton)
            continue;
        QObject::connect(&wired<QPushButton>(*window, control.name), &QPushButton::clicked, relay,
                         [relay, name = control.name] { relay->clicked(name); });
    }
    for (const MenuCommandDesign& command : design.menu)
        QObject::connect(&wired<QAction>(*window, command.name), &QAction::triggered, relay,
                         [relay, name = command.name] { relay->clicked(name); });
    return std::make_unique<QtLoadedWindow>(*this, std::move(window), design, *relay);
}

void QtHost::quit()
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

void QtHost::noteFrame(const QWidget& window)
{
    // Margins only once the window manager has framed the window; a window
    // unloaded before it was mapped has none yet.
    const QWindow* handle = window.windowHandle();
    if (handle && window.isVisible() && !handle->frameMargins().isNull())
        frame = handle->frameMargins();
}

void QtHost::retire(QWidget* window)
{
    window->deleteLater();
    std::erase_if(retired, [](const QPointer<QWidget>& gone) { return gone.isNull(); });
    retired.emplace_back(window);
}

} // namespace zelvo
