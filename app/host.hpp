#pragma once

// What the application needs of a toolkit, and all it needs: build a window
// from its design with its events wired back, destroy it, show a box (the
// Window operations), and end the program. A binding (Qt, Win32) implements
// this; the rules and the switching live above it, once.

#include "app/window_designs.hpp"
#include "ui/window.hpp"

#include <memory>
#include <string_view>

namespace zelvo {

// What a loaded window reports on the one UI thread. The application takes
// one event at a time: one that arrives while another is being handled (a
// close or a click that reaches a window while its message box is open) is
// dropped, never run inside the running one.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;

    // A command button or a menu command of the window, by its design name.
    virtual void clicked(std::string_view control) = 0;
    // The window frame's close command. The window stays until the
    // application destroys it.
    virtual void closeRequested() = 0;
};

// A window built from its design. Unloading is two steps: hide() takes it
// off the screen and cuts it off from its events at once; destroying the
// object then removes it with its controls and what they show. The
// application destroys a window unloaded inside one of its own events only
// after that event has been handled, so a binding never has to defer it.
class LoadedWindow : public Window {
public:
    // Places the window where its design opens it, shows it and gives it the
    // keyboard focus.
    virtual void show() = 0;
    // Off the screen, its events going nowhere; the next window may open
    // where this one stood.
    virtual void hide() = 0;
};

class Host {
public:
    virtual ~Host() = default;

    // Builds every control of the design with its text at load; nothing is
    // shown yet. Every button and menu command of the design reports its
    // clicks to `events`; a design control the binding cannot find to wire
    // is a programming error (std::logic_error), never a dead button.
    virtual std::unique_ptr<LoadedWindow> build(const WindowDesign& design, WindowEvents& events) = 0;
    // Ends the event loop once the current event has been handled.
    virtual void quit() = 0;
};

} // namespace zelvo
