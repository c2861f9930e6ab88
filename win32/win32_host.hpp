#pragma once

// The application's host on plain Win32: builds a window from its design
// (form_window.hpp), carries out the window operations on its controls,
// runs the message loop with the dialog keys of the open window (Tab and
// Shift+Tab, Return and Space on the focused button), and ends the loop when
// asked.
//
// A window unloaded from inside its own events is hidden at once, cut off
// from the application, and destroyed once its message has been handled;
// windows still waiting for that go with the host.

#include "app/host.hpp"
#include "win32/accessibility.hpp"

#include <windows.h>

#include <vector>

namespace zelvo::win32 {

class Win32Host final : public Host {
public:
    Win32Host();
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    std::unique_ptr<LoadedWindow> build(const WindowDesign& design, WindowEvents& events) override;
    void quit() override;

    // The program's message loop: returns the exit status once quit() was asked.
    int run();
    // Handles one message the way run() does.
    void dispatch(MSG& message);

    // The window the user sees, whose dialog keys the loop handles; null when none is.
    HWND openWindow() const { return open; }

    // For the loaded windows: one was shown, one unloaded.
    void shown(HWND window) { open = window; }
    void unloaded(HWND window);

private:
    ScreenReaderSupport screenReaders;
    std::vector<HWND> windows; // made and not yet destroyed
    HWND open = nullptr;
    // A point on the monitor the next window opens on: where the last one was.
    POINT anchor{0, 0};
};

} // namespace zelvo::win32
