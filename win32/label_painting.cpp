#include "win32/label_painting.hpp"

#include "win32/text.hpp"

#include <cstring>
#include <string>

namespace zelvo::win32 {

namespace {

int textWidth(HDC dc, std::wstring_view text)
{
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

} // namespace

std::optional<Font> fontToFit(HDC dc, HFONT font, std::wstring_view text, int width)
{
    const HGDIOBJ previous = SelectObject(dc, font);
    const bool fits = textWidth(dc, text) <= width;
    SelectObject(dc, previous);
    if (fits)
        return std::nullopt;

    LOGFONTW design{};
    GetObjectW(font, sizeof design, &design);
    const int designHeight = design.lfHeight < 0 ? -design.lfHeight : design.lfHeight;
    // Widths do not shrink exactly in proportion to the height, so the
    // largest height that fits is searched for, a pixel at a time.
    for (int height = designHeight - 1; height >= 1; --height) {
        LOGFONTW smaller = design;
        smaller.lfHeight = design.lfHeight < 0 ? -height : height;
        smaller.lfWidth = 0;
        Font candidate(smaller);
        if (!candidate)
            return std::nullopt;
        const HGDIOBJ old = SelectObject(dc, candidate.handle());
        const int candidateWidth = textWidth(dc, text);
        SelectObject(dc, old);
        if (candidateWidth <= width || height == 1)
            return candidate;
    }
    return std::nullopt;
}

HFONT FittedFont::find(HDC dc, HFONT labelFont, std::wstring_view newText, int newWidth)
{
    LOGFONTW newFont{};
    GetObjectW(labelFont, sizeof newFont, &newFont);
    // The same font handle may come back for another font after a change
    // of DPI, so the font is known by what it is.
    if (newText != text || newWidth != width || std::memcmp(&newFont, &font, sizeof font) != 0) {
        fitted.reset();
        fitted = fontToFit(dc, labelFont, newText, newWidth);
        text = newText;
        font = newFont;
        width = newWidth;
    }
    return fitted ? fitted->handle() : nullptr;
}

void paintLabel(HWND label, HDC dc, FittedFont& fit)
{
    RECT area{};
    GetClientRect(label, &area);
    const int saved = SaveDC(dc);
    // The parent picks the colours, as it does for any STATIC.
    auto* brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
    FillRect(dc, &area, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));

    const std::wstring text = windowText(label);
    auto* font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
    if (font)
        SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    if (!IsWindowEnabled(label))
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));

    const LONG type = GetWindowLongW(label, GWL_STYLE) & SS_TYPEMASK;
    const UINT alignment = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
    // A pixel clear at either side keeps a minus sign off the label's edge.
    const int room = area.right - area.left - 2;
    HFONT fitted = nullptr;
    if (font && text.find_first_of(L"\r\n") == std::wstring::npos)
        fitted = fit.find(dc, font, text, room);

    if (!fitted) {
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, alignment | DT_TOP | DT_NOPREFIX | DT_EXPANDTABS);
    } else {
        // Smaller, on the baseline the label's own font has, in line with
        // the other scores.
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        const int baseline = area.top + metrics.tmAscent;
        SelectObject(dc, fitted);
        const int width = textWidth(dc, text);
        int x = area.left + 1;
        if (alignment == DT_RIGHT)
            x = area.right - 1 - width;
        else if (alignment == DT_CENTER)
            x = area.left + (area.right - area.left - width) / 2;
        SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
        ExtTextOutW(dc, x, baseline, ETO_CLIPPED, &area, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    }
    RestoreDC(dc, saved);
}

} // namespace zelvo::win32
