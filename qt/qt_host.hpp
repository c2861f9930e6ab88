#pragma once

// The application's host on Qt Widgets: builds a window from its design
// (window_builder.hpp), reports its clicks and its close command to the
// application, and ends Qt's event loop when asked.
//
// A window unloaded by a switch is destroyed from inside its own button's or
// menu bar's signal: its widgets are deleted once control is back in the
// event loop, and those still waiting then go with the host.

#include "app/host.hpp"

#include <QMargins>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace zelvo {

class QtHost final : public Host {
public:
    QtHost();
    ~QtHost() override;
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

    std::unique_ptr<LoadedWindow> build(const WindowDesign& design, WindowEvents& events) override;
    void quit() override;

    // Hands over an unloaded window for deletion once its events are done.
    void retire(QWidget* window);

    // The frame the window manager drew around a window being unloaded, by
    // which the next window is placed before it has a frame of its own.
    void noteFrame(const QWidget& window);
    QMargins lastFrame() const { return frame; }

private:
    std::vector<QPointer<QWidget>> retired;
    QMargins frame;
};

} // namespace zelvo
