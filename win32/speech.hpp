#pragma once

// What a screen reader is told on Windows without moving the focus.

#include <windows.h>

#include <string_view>

namespace zelvo::win32 {

// The words of a press, told from the window's focused control. Not yet
// spoken: the score labels are to become live regions that raise the events
// screen readers listen for.
void announce(HWND window, std::string_view text);

} // namespace zelvo::win32
