#pragma once

// Labels are STATIC controls that the binding paints itself: as designed,
// aligned left, centred or right (the SS_ style says which), on one line or
// on the lines their text holds, never word-wrapped; and a one-line text too
// wide for its label drawn smaller rather than clipped.

#include "win32/fonts.hpp"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zelvo::win32 {

// A label's smaller font, kept for the text it was found for: searching
// takes a font per pixel of height, too much for every paint.
class FittedFont {
public:
    // The font to draw `text` in at most `width` pixels, or null when the
    // label's `font` is narrow enough.
    HFONT find(HDC dc, HFONT font, std::wstring_view text, int width);

private:
    std::wstring text;
    LOGFONTW font{};
    int width = -1;
    std::optional<Font> fitted;
};

// Paints the label's whole client area into `dc`; `fit` is the label's own.
void paintLabel(HWND label, HDC dc, FittedFont& fit);

// The label font made just small enough for `text` to be at most `width`
// pixels wide, or none if it already is.
std::optional<Font> fontToFit(HDC dc, HFONT font, std::wstring_view text, int width);

} // namespace zelvo::win32
