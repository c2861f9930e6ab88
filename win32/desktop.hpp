#pragma once

// What the Win32 inspector and the binding's tests share: running the
// program's own message loop until nothing is left to do, and finding this
// thread's windows and message boxes the way a user sees them.

#include "win32/accessibility.hpp"
#include "win32/text.hpp"
#include "win32/win32_host.hpp"

#include <windows.h>

#include <string>
#include <vector>

namespace zelvo::win32::inspection {

inline std::wstring className(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// This thread's top-level windows.
inline std::vector<HWND> threadWindows()
{
    std::vector<HWND> found;
    const auto collect = [](HWND window, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    };
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A window's child controls, without their own children and without the
// announcer, which only screen readers see.
inline std::vector<HWND> childControls(HWND window)
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) != kAnnouncerId)
            found.push_back(child);
    return found;
}

// This thread's window of that class on the screen ("#32770" a message box,
// "#32768" a popup menu), or null.
inline HWND shownWindow(const wchar_t* windowClass)
{
    for (HWND window : threadWindows())
        if (className(window) == windowClass && IsWindowVisible(window))
            return window;
    return nullptr;
}

// Runs the messages waiting for this thread through the host's dispatch, as
// its loop would, until none but a timer's has come for a few milliseconds.
// Returns whether WM_QUIT was among them.
inline bool settle(Win32Host& host)
{
    bool quit = false;
    for (int quiet = 0; quiet < 2;) {
        MSG message{};
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ++quiet;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
            continue;
        }
        if (message.message != WM_TIMER)
            quiet = 0;
        if (message.message == WM_QUIT)
            quit = true;
        else
            host.dispatch(message);
    }
    return quit;
}

} // namespace zelvo::win32::inspection
