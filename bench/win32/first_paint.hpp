#pragma once

// Ends a start-up probe once its window is on the screen and painted: when
// it is visible and no message, WM_PAINT of the window or of its controls
// included, waits any more, which is when a player sees the whole window.
// The process ends there, skipping the teardown, which is not start-up.
//
// A probe whose window never paints ends with status 3 after ten seconds, so
// that a broken set-up cannot hang the bench.

#include <windows.h>

namespace zelvo::bench {

inline void CALLBACK neverPainted(HWND, UINT, UINT_PTR, DWORD)
{
    ExitProcess(3);
}

template <typename Dispatch>
int runUntilPainted(HWND window, Dispatch&& dispatch)
{
    SetTimer(nullptr, 0, 10000, neverPainted);
    for (;;) {
        MSG message{};
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE))
                ExitProcess(0);
            WaitMessage();
            continue;
        }
        if (message.message == WM_QUIT)
            return 1;
        dispatch(message);
    }
}

} // namespace zelvo::bench
