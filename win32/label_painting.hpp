#pragma once

// Labels are STATIC controls that the binding paints itself: as designed,
// aligned left, centred or right (the SS_ style says which), on one line or
// on the lines their text holds, never word-wrapped; and a one-line text too
// wide for its label drawn smaller rather than clipped.

#include <windows.h>

#include <string_view>

namespace zelvo::win32 {

// Paints the label's whole client area into `dc`.
void paintLabel(HWND label, HDC dc);

// The label font made just small enough for `text` to be at most `width`
// pixels wide, or null if it already is; the caller deletes the font.
HFONT fontToFit(HDC dc, HFONT font, std::wstring_view text, int width);

} // namespace zelvo::win32
