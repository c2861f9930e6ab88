#include "win32/label_painting.hpp"

#include "ui/text_fit.hpp"

#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace zelvo::win32 {

namespace {

// The em a text's outline advances are read at: large enough that hinting
// and a simulated bold's extra pixel per character vanish in the scaling.
constexpr int kMeasureEm = 2048;

bool oneLine(std::wstring_view text) { return text.find_first_of(L"\r\n") == std::wstring_view::npos; }

int textWidth(HDC dc, std::wstring_view text)
{
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

double emPixels(double points, UINT dpi) { return points * dpi / 72.0; }

// The pen's position after each character of `text`, in ems, by the
// outlines' advances. Hinted GDI widths (and Wine's simulated bold) run wider
// than the outlines by pixels that differ from toolkit to toolkit; the
// outlines are the same everywhere, so every binding fits alike. Each
// character is read once, at a large size, and remembered.
std::vector<double> outlineAdvances(HDC dc, const wchar_t* family, bool bold, std::wstring_view text)
{
    static std::map<std::tuple<std::wstring, bool, wchar_t>, double> known;
    std::shared_ptr<const Font> large;
    HGDIOBJ previous = nullptr;
    std::vector<double> ends;
    double pen = 0;
    for (wchar_t character : text) {
        auto entry = known.find({family, bold, character});
        if (entry == known.end()) {
            if (!large) {
                large = sharedFont(family, kMeasureEm * 72.0 / 96, bold, 96);
                previous = SelectObject(dc, large->handle());
            }
            INT width = 0;
            if (!GetCharWidth32W(dc, character, character, &width)) {
                SelectObject(dc, previous);
                throw std::runtime_error("could not measure a character");
            }
            entry = known.emplace(std::tuple{std::wstring(family), bold, character}, double(width) / kMeasureEm).first;
        }
        pen += entry->second;
        ends.push_back(pen);
    }
    if (large)
        SelectObject(dc, previous);
    return ends;
}

} // namespace

void LabelPainter::setFont(std::shared_ptr<const Font> newFont, const wchar_t* newFamily, double newPoints,
                           bool newBold, UINT newDpi)
{
    font = std::move(newFont);
    family = newFamily;
    points = newPoints;
    bold = newBold;
    dpi = newDpi;
    advances.clear();
    fittedWidth = -1;
    fittedFont.reset();
}

bool LabelPainter::setText(std::wstring_view newText)
{
    if (newText == text)
        return false;
    text = newText;
    advances.clear();
    fittedWidth = -1;
    fittedFont.reset();
    return true;
}

void LabelPainter::fit(HDC dc, int labelWidth)
{
    if (labelWidth == fittedWidth)
        return;
    fittedWidth = labelWidth;
    fitted = points;
    fittedFont.reset();
    if (!font || !oneLine(text) || text.empty())
        return;
    try {
        if (advances.empty())
            advances = outlineAdvances(dc, family, bold, text);
        // The rule works in pixels at 96 dpi, whatever the monitor's: a
        // pixel there stays clear at either side.
        const double room = labelWidth * 96.0 / dpi - 2;
        fitted = pointSizeToFit(points, room, [&](double candidate) { return advances.back() * emPixels(candidate, 96); });
        if (fitted != points)
            fittedFont = sharedFont(family, fitted, bold, dpi);
    } catch (const std::runtime_error&) {
        // No font to measure or draw with: the text keeps its size, clipped.
        fitted = points;
        fittedFont.reset();
    }
}

double LabelPainter::drawnPoints(HDC dc, int labelWidth)
{
    fit(dc, labelWidth);
    return fitted;
}

void LabelPainter::paint(HWND label, HDC dc)
{
    RECT area{};
    GetClientRect(label, &area);
    const int saved = SaveDC(dc);
    // The parent picks the colours, as it does for any STATIC.
    auto* brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
    FillRect(dc, &area, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));

    if (font)
        SelectObject(dc, font->handle());
    SetBkMode(dc, TRANSPARENT);
    if (!IsWindowEnabled(label))
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));

    const LONG type = GetWindowLongW(label, GWL_STYLE) & SS_TYPEMASK;
    const UINT alignment = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
    const int clear = MulDiv(1, static_cast<int>(dpi), 96);
    const int room = area.right - area.left - 2 * clear;
    fit(dc, area.right - area.left);
    if (advances.empty() || (!fittedFont && textWidth(dc, text) <= room)) {
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, alignment | DT_TOP | DT_NOPREFIX | DT_EXPANDTABS);
    } else {
        // Laid out by the outlines, as measured, so that it takes no more
        // than the room; smaller, on the baseline the label's own font has,
        // in line with the other scores.
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        const int baseline = area.top + metrics.tmAscent;
        if (fittedFont)
            SelectObject(dc, fittedFont->handle());
        const double em = emPixels(fitted, dpi);
        std::vector<INT> steps(text.size());
        int pen = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const int next = static_cast<int>(std::lround(advances[i] * em));
            steps[i] = next - pen;
            pen = next;
        }
        int x = area.left + clear;
        if (alignment == DT_RIGHT)
            x = area.right - clear - pen;
        else if (alignment == DT_CENTER)
            x = area.left + (area.right - area.left - pen) / 2;
        SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
        ExtTextOutW(dc, x, baseline, ETO_CLIPPED, &area, text.c_str(), static_cast<UINT>(text.size()), steps.data());
    }
    RestoreDC(dc, saved);
}

} // namespace zelvo::win32
