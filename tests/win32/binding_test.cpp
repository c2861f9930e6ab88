// What the Win32 binding does beyond the conformance suite: scores drawn
// smaller kept whole and in line, fonts shared and none left behind, a change
// of DPI laying a window out anew, faults inside events stopped at the window
// procedure, message boxes owned by their window, the icon on every window,
// the fields' Japanese context menu, and the events a press sends screen readers.

#include "app/application.hpp"
#include "win32/desktop.hpp"
#include "win32/fonts.hpp"
#include "win32/win32_host.hpp"

#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <cwchar>
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

// Where a label's ink lies, drawn as the label paints itself: the
// columns of its first and last pixel and its lowest row, -1 without ink.
struct Ink {
    int width = 0;
    int left = -1, right = -1, bottom = -1;
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

    Ink ink{width};
    for (int i = 0; i < width * height; ++i)
        if (drawn[static_cast<std::size_t>(i)] != blank[static_cast<std::size_t>(i)]) {
            ink.left = ink.left < 0 ? i % width : std::min(ink.left, i % width);
            ink.right = std::max(ink.right, i % width);
            ink.bottom = i / width;
        }
    return ink;
}

// A score drawn smaller (at the size the conformance suite checks) stays
// whole, a column clear at each side, on the baseline of the scores that fit.
TEST(Win32Binding, ScoresDrawnSmallerStayWholeOnTheSameBaseline)
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
        EXPECT_GE(wide.left, 1) << "nothing cut off at the left";
        EXPECT_LE(wide.right, wide.width - 2) << "nothing cut off at the right";
        EXPECT_LE(std::abs(wide.bottom - fits.bottom), 1) << "on the same baseline";
    }
}

// Every window shows the program icon at both sizes, and its controls of the
// same size and weight draw with one font: a window holds a font for each
// size and weight its design lists, and its default font.
TEST(Win32Binding, EveryWindowShowsTheIconAndSharesItsFonts)
{
    NoEvents events;
    Win32Host host;
    for (const WindowDesign& design : windowDesigns()) {
        SCOPED_TRACE(design.name);
        const long before = Font::alive();
        std::unique_ptr<LoadedWindow> window = host.build(design, events);
        HWND handle = FindWindowW(win32::wide(design.name).c_str(), nullptr);
        ASSERT_TRUE(handle);
        std::set<std::pair<double, bool>> designed;
        for (const ControlDesign& control : design.controls)
            if (control.font)
                designed.insert({control.font->pointSize, control.font->bold});
        std::set<HFONT> used;
        for (HWND control : childControls(handle))
            used.insert(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        EXPECT_LE(used.size(), designed.size() + 1);
        EXPECT_EQ(Font::alive() - before, static_cast<long>(designed.size() + 1));
        for (int which : {GCLP_HICON, GCLP_HICONSM}) {
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(GetClassLongPtrW(handle, which)), &info));
            BITMAP mask{};
            GetObjectW(info.hbmMask, sizeof mask, &mask);
            EXPECT_EQ(mask.bmWidth, GetSystemMetrics(which == GCLP_HICON ? SM_CXICON : SM_CXSMICON));
            DeleteObject(info.hbmMask);
            DeleteObject(info.hbmColor);
        }
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
    // Sent, not posted, and settled once: each switch and press is done when
    // the call returns, the painting of what was left follows at the end.
    for (int i = 0; i < 500; ++i) {
        SendMessageW(program.window(), WM_COMMAND, kThreePlayers, 0);
        SendMessageW(program.window(), WM_COMMAND, kFourPlayers, 0);
    }
    settle(program.host);
    EXPECT_EQ(Font::alive(), before) << "after 1,000 switches";

    HWND label = program.control(kLabel5);
    for (int press = 0; press < 1000; ++press) {
        // 301 + 10000 is too wide for the label, back to 301 fits again.
        SetWindowTextW(program.control(kText1), press % 2 == 0 ? L"-10000" : L"10000");
        SetWindowTextW(program.control(kText2), L"0");
        SetWindowTextW(program.control(kText3), L"0");
        SendMessageW(program.control(kCommand1), BM_CLICK, 0, 0);
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
    settle(program.host);
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
    // Painted, so that the fonts of labels drawn smaller are counted too.
    const auto fonts = [window] {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        return Font::alive();
    };
    RECT before{};
    GetWindowRect(window, &before);
    const std::vector<LONG> at96 = layout();
    const long fontsAt96 = fonts();
    ASSERT_EQ(at96.size(), 4 + 5 * windowDesign("Form9").controls.size());

    RECT suggested{40, 30, 40 + (before.right - before.left) * 2, 30 + (before.bottom - before.top) * 2};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    std::vector<LONG> expected{40, 30};
    std::transform(at96.begin() + 2, at96.end(), std::back_inserter(expected), [](LONG n) { return 2 * n; });
    EXPECT_EQ(layout(), expected);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&before));
    EXPECT_EQ(layout(), at96);
    EXPECT_EQ(fonts(), fontsAt96);
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
    if (HWND box = shownWindow(L"#32770")) {
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

// A field's context menu, read from inside its own modal loop (where a
// thread timer still fires) and closed with a key: an access key chooses its
// command, Escape none. Separators are read as empty captions.
struct MenuItem {
    std::wstring caption;
    bool enabled;
};
struct SeenMenu {
    std::vector<MenuItem> items;
    POINT corner{-1, -1};
};
SeenMenu seenMenu;
bool menuRead;
WPARAM menuAnswer;
HWND closedWhileOpen; // a window sent WM_CLOSE before the answer

void CALLBACK readMenuAndAnswer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND popup = shownWindow(L"#32768");
    if (!popup) {
        // F10 alone would have opened the menu bar instead, waiting for ever.
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        if (GetGUIThreadInfo(GetCurrentThreadId(), &thread) && (thread.flags & GUI_INMENUMODE))
            EndMenu();
    }
    if (!popup || menuRead)
        return;
    menuRead = true;
    auto* menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t caption[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), caption, 64, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        seenMenu.items.push_back({caption, !(state & (MF_GRAYED | MF_DISABLED))});
    }
    RECT place{};
    GetWindowRect(popup, &place);
    seenMenu.corner = {place.left, place.top};
    if (closedWhileOpen)
        PostMessageW(closedWhileOpen, WM_CLOSE, 0, 0);
    PostMessageW(popup, menuAnswer == VK_ESCAPE ? WM_KEYDOWN : WM_CHAR, menuAnswer, 0);
}

// Shift as the thread sees it, for keys posted to it.
void holdShift(bool down)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// Opens the field's context menu from the keyboard, or with the right mouse
// button at a point of the field, and answers it.
SeenMenu useEditMenu(Program& program, HWND field, WPARAM answer, const POINT* click = nullptr, bool* quit = nullptr)
{
    seenMenu = {};
    menuRead = false;
    menuAnswer = answer;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, readMenuAndAnswer);
    if (click) {
        PostMessageW(field, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(click->x, click->y));
        PostMessageW(field, WM_RBUTTONUP, 0, MAKELPARAM(click->x, click->y));
    } else {
        holdShift(true);
        PostMessageW(field, WM_SYSKEYDOWN, VK_F10, 1);
        PostMessageW(field, WM_SYSKEYUP, VK_F10, 0xC0000001);
    }
    const bool quitting = settle(program.host);
    if (quit)
        *quit = quitting;
    KillTimer(nullptr, timer);
    holdShift(false);
    return seenMenu;
}

void setClipboard(const wchar_t* text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (text) {
        const std::size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        std::memcpy(GlobalLock(memory), text, bytes);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
    }
    CloseClipboard();
}

std::wstring clipboardText()
{
    std::wstring text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(memory));
            GlobalUnlock(memory);
        }
        CloseClipboard();
    }
    return text;
}

// The field as a row leaves it: its text, a selection, then any typing.
void prepareField(HWND field, const wchar_t* text, int start, int end, const wchar_t* typed)
{
    SetWindowTextW(field, text);
    SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(start), end);
    for (const wchar_t* c = typed; c && *c; ++c)
        SendMessageW(field, WM_CHAR, *c, 1);
}

// On any Windows the fields' context menu is Japanese, with Windows' own
// commands, separators, access keys and enabled states; from the keyboard
// it opens at the caret, from the mouse where it was clicked. Each command,
// chosen by its access key, does to the field and the clipboard what
// Windows' own does; Escape does nothing.
TEST(Win32Binding, FieldsHaveAJapaneseContextMenuThatWorksAsWindowsOwn)
{
    const std::array<const wchar_t*, 8> captions{L"元に戻す(&U)", L"",         L"切り取り(&T)", L"コピー(&C)",
                                                 L"貼り付け(&P)", L"削除(&D)", L"",             L"すべて選択(&A)"};
    struct Row {
        const wchar_t* text;
        int start, end;
        const wchar_t* typed;
        const wchar_t* clipboard;
        std::array<bool, 6> enabled; // undo, cut, copy, paste, delete, select all
        WPARAM key;
        const wchar_t* after;
        const wchar_t* clipboardAfter;
        std::pair<DWORD, DWORD> selection;
    };
    const Row rows[] = {
        {L"", 0, 0, nullptr, nullptr, {false, false, false, false, false, false}, VK_ESCAPE, L"", L"", {0, 0}},
        {L"", 0, 0, nullptr, L"60", {false, false, false, true, false, false}, L'p', L"60", L"60", {2, 2}},
        {L"180", 3, 3, nullptr, nullptr, {false, false, false, false, false, true}, L'a', L"180", L"", {0, 3}},
        {L"180", 0, 1, nullptr, L"60", {false, true, true, true, true, true}, L't', L"80", L"1", {0, 0}},
        {L"180", 1, 2, nullptr, L"60", {false, true, true, true, true, true}, L'c', L"180", L"8", {1, 2}},
        {L"180", 1, 3, nullptr, L"60", {false, true, true, true, true, true}, L'd', L"1", L"60", {1, 1}},
        {L"180", 0, 3, nullptr, nullptr, {false, true, true, false, true, false}, VK_ESCAPE, L"180", L"", {0, 3}},
        {L"18", 2, 2, L"0", nullptr, {true, false, false, false, false, true}, L'u', L"18", L"", {2, 2}},
    };
    Program program;
    program.press(kCommand2);
    HWND field = program.control(kText1);
    RECT box{};
    GetWindowRect(field, &box);
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << &row - rows);
        setClipboard(row.clipboard);
        prepareField(field, row.text, row.start, row.end, row.typed);
        const SeenMenu menu = useEditMenu(program, field, row.key);
        ASSERT_EQ(menu.items.size(), captions.size());
        for (std::size_t i = 0, command = 0; i < captions.size(); ++i) {
            EXPECT_EQ(menu.items[i].caption, captions[i]);
            if (*captions[i]) {
                EXPECT_EQ(menu.items[i].enabled, row.enabled[command++]) << win32::utf8(captions[i]);
            }
        }
        EXPECT_TRUE(PtInRect(&box, menu.corner)) << "at the caret, not " << menu.corner.x << "," << menu.corner.y;
        DWORD start = 0, end = 0;
        SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(win32::windowText(field), row.after);
        EXPECT_EQ(clipboardText(), row.clipboardAfter);
        EXPECT_EQ(std::make_pair(start, end), row.selection);
    }

    POINT click{5, 4};
    const SeenMenu clicked = useEditMenu(program, field, VK_ESCAPE, &click);
    ClientToScreen(field, &click);
    EXPECT_EQ(std::make_pair(clicked.corner.x, clicked.corner.y), std::make_pair(click.x, click.y));
}

// A close that reaches the sheet while a field's menu is open ends the
// program as any close does; the command chosen after it goes nowhere.
TEST(Win32Binding, ASheetClosedWhileAFieldsMenuIsOpenEndsTheProgram)
{
    Program program;
    program.press(kCommand2);
    HWND window = program.window();
    HWND field = program.control(kText1);
    prepareField(field, L"180", 0, 3, nullptr);
    closedWhileOpen = window;
    bool quit = false;
    const SeenMenu menu = useEditMenu(program, field, L'd', nullptr, &quit);
    closedWhileOpen = nullptr;
    EXPECT_FALSE(menu.items.empty());
    EXPECT_TRUE(quit);
    EXPECT_FALSE(IsWindow(window));
}

// What a screen reader in another process gets from a press through MSAA:
// the score label's new name, then the words of the press as a change of a
// live region, which is shown (how many, and the focus, the conformance
// suite checks).
struct WinEvent {
    DWORD event;
    int control;
    std::wstring name; // the object's name when the event arrived
    LONG state;
};
std::vector<WinEvent> seenEvents;

void CALLBACK recordEvent(HWINEVENTHOOK, DWORD event, HWND source, LONG object, LONG child, DWORD, DWORD)
{
    IAccessible* accessible = nullptr;
    VARIANT which{};
    if ((event != EVENT_OBJECT_NAMECHANGE && event != EVENT_OBJECT_LIVEREGIONCHANGED)
        || FAILED(AccessibleObjectFromEvent(source, static_cast<DWORD>(object), static_cast<DWORD>(child), &accessible,
                                            &which)))
        return;
    BSTR name = nullptr;
    VARIANT state{};
    accessible->get_accName(which, &name);
    accessible->get_accState(which, &state);
    seenEvents.push_back({event, GetDlgCtrlID(source), name ? name : L"", state.vt == VT_I4 ? state.lVal : -1});
    SysFreeString(name);
    accessible->Release();
}

TEST(Win32Binding, APressReachesScreenReadersThroughMsaa)
{
    Program program;
    program.press(kCommand2);
    program.command(kFourPlayers);
    for (int field : {kText1, kText2, kText3})
        SetWindowTextW(program.control(field), L"20");
    seenEvents.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, recordEvent,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    program.press(kCommand1);
    UnhookWinEvent(hook);

    ASSERT_FALSE(seenEvents.empty());
    const WinEvent& spoken = seenEvents.back();
    EXPECT_EQ(spoken.event, static_cast<DWORD>(EVENT_OBJECT_LIVEREGIONCHANGED));
    EXPECT_EQ(spoken.name, L"プレーヤー1 残り 241");
    EXPECT_EQ(spoken.state & STATE_SYSTEM_INVISIBLE, 0) << "screen readers pass over what is not shown";
    EXPECT_TRUE(std::any_of(seenEvents.begin(), seenEvents.end(), [](const WinEvent& e) {
        return e.event == EVENT_OBJECT_NAMECHANGE && e.control == kLabel5 && e.name == L"プレーヤー1 残り 241";
    })) << "the score label's new name";
}

} // namespace

} // namespace zelvo::win32::testing
