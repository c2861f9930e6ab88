// What the Win32 binding does beyond the conformance suite: scores too wide
// for their labels drawn smaller, fonts shared and none left behind, a change
// of DPI laying a window out anew, faults inside events stopped at the window
// procedure, message boxes owned by their window, and the icon on every
// window.

#include "app/application.hpp"
#include "win32/desktop.hpp"
#include "win32/fonts.hpp"
#include "win32/win32_host.hpp"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zelvo::win32::testing {

namespace {

using namespace win32::inspection;

// The program from its menu window, run as main() runs it.
struct Program {
    Program()
    {
        application.start();
        settle(host);
    }

    HWND window() const { return host.openWindow(); }
    HWND control(int id) const { return GetDlgItem(window(), id); }

    void press(int button)
    {
        SendMessageW(control(button), BM_CLICK, 0, 0);
        settle(host);
    }
    void command(int id)
    {
        PostMessageW(window(), WM_COMMAND, static_cast<WPARAM>(id), 0);
        settle(host);
    }

    Win32Host host;
    Application application{host};
};

struct NoEvents final : WindowEvents {
    void clicked(std::string_view) override {}
    void closeRequested() override {}
};

constexpr int kText1 = 1001, kText2 = 1002, kText3 = 1003, kCommand1 = 2001, kCommand2 = 2002, kLabel5 = 3005;
constexpr int kThreePlayers = 103, kFourPlayers = 104;

// Which pixels of a label are ink, drawn as the label paints itself.
struct Ink {
    int width = 0, height = 0;
    int left = -1, right = -1, top = -1, bottom = -1; // the ink's bounds, -1 without ink
};

Ink inkOf(HWND label, const wchar_t* text)
{
    RECT area{};
    GetClientRect(label, &area);
    const int width = area.right, height = area.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const auto render = [&](const wchar_t* caption) {
        SetWindowTextW(label, caption);
        SendMessageW(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(bits);
        return std::vector<DWORD>(pixels, pixels + width * height);
    };
    const std::vector<DWORD> blank = render(L"");
    const std::vector<DWORD> drawn = render(text);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);

    Ink ink{width, height};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (drawn[static_cast<std::size_t>(y * width + x)] == blank[static_cast<std::size_t>(y * width + x)])
                continue;
            ink.left = ink.left < 0 ? x : std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = ink.top < 0 ? y : std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    return ink;
}

// Score labels are 41 pixels wide at 14.25 points bold: wider totals are
// drawn smaller, whole, with a column clear at each side, and on the
// baseline of the scores that fit, not cut off at their sign or first digits.
TEST(Win32Binding, ScoresTooWideForTheirLabelAreDrawnSmallerOnTheSameBaseline)
{
    Program program;
    program.press(kCommand1);
    HWND label = program.control(kLabel5);
    ASSERT_TRUE(label);
    const Ink fits = inkOf(label, L"1");
    ASSERT_GE(fits.left, fits.width / 2) << "a score that fits is drawn, at the right";

    for (const wchar_t* score : {L"-1500", L"32767", L"-32768"}) {
        SCOPED_TRACE(win32::utf8(score));
        const Ink wide = inkOf(label, score);
        ASSERT_GE(wide.left, 0);
        EXPECT_GE(wide.left, 1) << "nothing cut off at the left";
        EXPECT_LE(wide.right, wide.width - 2) << "nothing cut off at the right";
        EXPECT_LT(wide.bottom - wide.top, fits.bottom - fits.top) << "drawn smaller";
        EXPECT_LE(std::abs(wide.bottom - fits.bottom), 1) << "on the same baseline";
    }
}

// Controls of the same size and weight draw with one font: a window holds
// a font for each size and weight its design lists, and its default font.
TEST(Win32Binding, ControlsOfOneSizeAndWeightShareTheirFont)
{
    NoEvents events;
    Win32Host host;
    for (const WindowDesign& design : windowDesigns()) {
        SCOPED_TRACE(design.name);
        const long before = Font::alive();
        std::unique_ptr<LoadedWindow> window = host.build(design, events);
        std::set<std::pair<double, bool>> designed;
        for (const ControlDesign& control : design.controls)
            if (control.font)
                designed.insert({control.font->pointSize, control.font->bold});
        std::set<HFONT> used;
        for (HWND control : childControls(FindWindowW(win32::wide(design.name).c_str(), nullptr)))
            used.insert(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        EXPECT_LE(used.size(), designed.size() + 1);
        EXPECT_EQ(Font::alive() - before, static_cast<long>(designed.size() + 1));
    }
}

// Switching back and forth and pressing, with a score that alternately fits
// and is drawn smaller, leaves as many fonts alive as there were; the
// smaller font is found once for its text, not again at every paint.
TEST(Win32Binding, SwitchesAndPressesLeaveNoFontBehind)
{
    Program program;
    program.press(kCommand2);
    program.command(kFourPlayers);
    const long before = Font::alive();
    for (int i = 0; i < 500; ++i) {
        program.command(kThreePlayers);
        program.command(kFourPlayers);
    }
    EXPECT_EQ(Font::alive(), before) << "after 1,000 switches";

    HWND label = program.control(kLabel5);
    for (int press = 0; press < 1000; ++press) {
        // 301 + 10000 is too wide for the label, back to 301 fits again.
        SetWindowTextW(program.control(kText1), press % 2 == 0 ? L"-10000" : L"10000");
        SetWindowTextW(program.control(kText2), L"0");
        SetWindowTextW(program.control(kText3), L"0");
        program.press(kCommand1);
        if (press == 0) {
            ASSERT_EQ(win32::windowText(label), L"10301");
            RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            const long made = Font::made();
            EXPECT_EQ(Font::alive(), before + 1) << "the smaller font, while it is drawn";
            for (int paint = 0; paint < 3; ++paint)
                RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            EXPECT_EQ(Font::made(), made) << "no font made to paint the same text again";
        }
    }
    ASSERT_EQ(win32::windowText(label), L"301");
    RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(Font::alive(), before) << "after 1,000 presses";
}

// The layout follows the DPI the window is given: at twice the DPI every
// control, font and the client area come out twice as large (the designs
// are whole pixels at 96 DPI), the window at the rectangle Windows
// suggests; and back, where all is as it was.
TEST(Win32Binding, AChangeOfDpiLaysTheWindowOutAnewFromItsDesign)
{
    Program program;
    program.press(kCommand2);
    program.command(kFourPlayers);
    HWND window = program.window();
    // The frame's top left, the client size, then each control's rectangle and font height.
    const auto layout = [window] {
        RECT frame{}, client{};
        GetWindowRect(window, &frame);
        GetClientRect(window, &client);
        std::vector<LONG> seen{frame.left, frame.top, client.right, client.bottom};
        for (HWND c : childControls(window)) {
            RECT place{};
            GetWindowRect(c, &place);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof font, &font);
            seen.insert(seen.end(), {place.left, place.top, place.right, place.bottom, font.lfHeight});
        }
        return seen;
    };
    RECT before{};
    GetWindowRect(window, &before);
    const std::vector<LONG> at96 = layout();
    const long fontsAt96 = Font::alive();
    ASSERT_EQ(at96.size(), 4 + 5 * windowDesign("Form9").controls.size());

    RECT suggested{40, 30, 40 + (before.right - before.left) * 2, 30 + (before.bottom - before.top) * 2};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    std::vector<LONG> expected{40, 30};
    std::transform(at96.begin() + 2, at96.end(), std::back_inserter(expected), [](LONG n) { return 2 * n; });
    EXPECT_EQ(layout(), expected);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&before));
    EXPECT_EQ(layout(), at96);
    EXPECT_EQ(Font::alive(), fontsAt96);
}

// Nothing throws through a window procedure: a fault inside an event is
// reported and the window goes on working.
TEST(Win32Binding, AFaultInsideAnEventIsReportedAndTheWindowGoesOn)
{
    struct FaultyEvents final : WindowEvents {
        void clicked(std::string_view control) override
        {
            ++clicks;
            throw std::runtime_error("fault on " + std::string(control));
        }
        void closeRequested() override { throw 42; }
        int clicks = 0;
    } events;
    Win32Host host;
    std::unique_ptr<LoadedWindow> window = host.build(windowDesign("Form5"), events);
    window->show();
    settle(host);
    HWND handle = host.openWindow();

    ::testing::internal::CaptureStderr();
    SendMessageW(GetDlgItem(handle, kCommand1), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(handle, kCommand2), BM_CLICK, 0, 0);
    SendMessageW(handle, WM_CLOSE, 0, 0);
    settle(host);
    const std::string reported = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(events.clicks, 2);
    EXPECT_NE(reported.find("fault on Command1"), std::string::npos) << reported;
    EXPECT_NE(reported.find("fault on Command2"), std::string::npos) << reported;
    EXPECT_NE(reported.find("unexpected error"), std::string::npos) << reported;
    EXPECT_TRUE(IsWindowVisible(handle));
}

HWND seenOwner;
BOOL ownerEnabled;

void CALLBACK noteOwnerAndAnswer(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND box = openMessageBox()) {
        seenOwner = GetWindow(box, GW_OWNER);
        ownerEnabled = IsWindowEnabled(seenOwner);
        SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    }
}

// A message box belongs to the open window and blocks it while it is open.
TEST(Win32Binding, MessageBoxesAreOwnedByTheOpenWindow)
{
    seenOwner = nullptr;
    ownerEnabled = TRUE;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, noteOwnerAndAnswer);
    Program program;
    program.press(kCommand1);
    SetWindowTextW(program.control(kText1), L"x");
    program.press(kCommand1);
    KillTimer(nullptr, timer);
    EXPECT_EQ(seenOwner, program.window());
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(program.window())) << "once the box is closed";
}

TEST(Win32Binding, EveryWindowShowsTheProgramIcon)
{
    NoEvents events;
    Win32Host host;
    for (const WindowDesign& design : windowDesigns()) {
        SCOPED_TRACE(design.name);
        std::unique_ptr<LoadedWindow> window = host.build(design, events);
        HWND handle = FindWindowW(win32::wide(design.name).c_str(), nullptr);
        ASSERT_TRUE(handle);
        for (int which : {GCLP_HICON, GCLP_HICONSM}) {
            auto* icon = reinterpret_cast<HICON>(GetClassLongPtrW(handle, which));
            ICONINFO info{};
            ASSERT_TRUE(icon && GetIconInfo(icon, &info));
            BITMAP mask{};
            GetObjectW(info.hbmMask, sizeof mask, &mask);
            EXPECT_EQ(mask.bmWidth, GetSystemMetrics(which == GCLP_HICON ? SM_CXICON : SM_CXSMICON));
            DeleteObject(info.hbmMask);
            if (info.hbmColor)
                DeleteObject(info.hbmColor);
        }
    }
}

} // namespace

} // namespace zelvo::win32::testing
