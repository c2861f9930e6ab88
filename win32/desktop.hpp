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

inline BOOL CALLBACK collectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// This thread's top-level windows.
inline std::vector<HWND> threadWindows()
{
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), collectWindow, reinterpret_cast<LPARAM>(&found));
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

// The message box on the screen, or null.
inline HWND openMessageBox()
{
    for (HWND window : threadWindows())
        if (className(window) == L"#32770" && IsWindowVisible(window))
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
