#pragma once

// Labels are STATIC controls that the binding paints itself: as designed,
// aligned left, centred or right (the SS_ style says which), on one line or
// on the lines their text holds, never word-wrapped; and a one-line text too
// wide for its label drawn smaller rather than clipped, at the size the
// shared rule picks (ui/text_fit.hpp).

#include "win32/fonts.hpp"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo::win32 {

// What a label draws, kept beside its STATIC so that painting sends the
// label no messages; the size a text is drawn at is found once per text.
class LabelPainter {
public:
    // The label's font: `family` at `points` and `dpi`.
    void setFont(std::shared_ptr<const Font> font, const wchar_t* family, double points, bool bold, UINT dpi);
    // False when the label already shows `text`.
    bool setText(std::wstring_view text);

    // Paints the label's whole client area into `dc`.
    void paint(HWND label, HDC dc);
    // The point size the text is drawn at in a label `labelWidth` pixels wide.
    double drawnPoints(HDC dc, int labelWidth);

private:
    void fit(HDC dc, int labelWidth);

    std::wstring text;
    std::shared_ptr<const Font> font;
    const wchar_t* family = L"";
    double points = 0;
    bool bold = false;
    UINT dpi = 96;
    // The text's advances by its outlines, unhinted, as the other bindings lay
    // text out:
    // the pen's position after each character, in ems. Empty until measured.
    std::vector<double> advances;
    // The last fit, for that text and width.
    int fittedWidth = -1;
    double fitted = 0;
    std::shared_ptr<const Font> fittedFont;
};

} // namespace zelvo::win32
