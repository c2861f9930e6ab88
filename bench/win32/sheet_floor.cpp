// The floor under ZELVO's 301 sheets: a bare Win32 program, without the
// binding, the designs or the application layer, that builds the four- and
// three-player sheets from fixed pixel geometry at 96 DPI with the same
// window classes, styles, controls, menu bar, fonts, icon and manifest, and
// switches and presses as ZELVO does. Whatever it spends, any program that
// shows these windows spends; sheet_bench.sh measures ZELVO against it.
//
//   wine sheet_floor.exe time|trace|grow|show STEPS   (sheet_steps.hpp)
//
// A press does only what the bench's presses need: valid throws, no bust,
// no end of the game (the bench resets the sheet before round 20).

#include "bench/win32/sheet_steps.hpp"

#include <commctrl.h>

#include <cwchar>
#include <memory>
#include <string>

namespace {

using namespace zelvo;

constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kClientWidth = 439, kClientHeight = 357;
constexpr wchar_t kCaption[] = L"ぽてのダーツ点数計算（３０１）";
constexpr wchar_t kRules[] = L"ダーツの点数計算ソフトです。ルールは３０１です。\r\n"
                             L"３０１から点数を引き、早く０にした方が勝ちになります。\r\n"
                             L"３回投げてください。全部で２０ラウンドです。";

enum Kind { Label, Field, Button };

struct Control {
    Kind kind;
    int id;
    const wchar_t* text;
    RECT place; // left, top, width, height
    bool bold;
    bool right = false;
};

// The shared labels, in the sheets' order: rules, round, 回目, the throw
// rows' numbers, 合計.
constexpr Control kShared[] = {
    {Label, 3008, L"Label8", {8, 16, 345, 41}, false},  {Label, 3006, L"1", {376, 24, 33, 17}, false},
    {Label, 3007, L"回目", {408, 24, 33, 25}, false},   {Label, 3001, L"1", {40, 96, 17, 17}, false},
    {Label, 3002, L"2", {40, 128, 17, 17}, false},      {Label, 3003, L"3", {40, 160, 17, 17}, false},
    {Label, 3004, L"合計", {8, 192, 41, 33}, true},
};

struct Player {
    int nameField;
    int firstThrow;
    int button;
    int scoreLabel;
    const wchar_t* name;
    RECT scorePlace;
};

constexpr Player kPlayers[] = {
    {1004, 1001, 2001, 3005, L"プレーヤー1", {64, 192, 41, 25}},
    {1005, 1006, 2002, 3009, L"プレーヤー2", {152, 192, 41, 25}},
    {1009, 1010, 2003, 3010, L"プレーヤー3", {248, 192, 49, 25}},
    {1013, 1014, 2004, 3011, L"プレーヤー4", {336, 192, 57, 25}},
};

constexpr const wchar_t* kMenuCaptions[] = {
    L"リセット（再スタート）", L"１人でスタート", L"２人でスタート", L"３人でスタート", L"４人でスタート",
};

HFONT uiFont;
HFONT boldFont;

HFONT gothic(int pixels, bool bold, const wchar_t* family)
{
    return CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, family);
}

void add(HWND sheet, const Control& control)
{
    static const wchar_t* const classes[] = {L"STATIC", L"EDIT", L"BUTTON"};
    static const DWORD styles[] = {SS_NOPREFIX | SS_LEFT, WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT,
                                   WS_TABSTOP | BS_PUSHBUTTON};
    DWORD style = WS_CHILD | WS_VISIBLE | styles[control.kind];
    if (control.right)
        style = WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_RIGHT;
    const RECT& r = control.place;
    HWND made = CreateWindowExW(control.kind == Field ? WS_EX_CLIENTEDGE : 0, classes[control.kind], control.text,
                                style, r.left, r.top, r.right, r.bottom, sheet,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), nullptr, nullptr);
    SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(control.bold ? boldFont : uiFont), FALSE);
    if (control.kind == Field)
        SendMessageW(made, EM_SETLIMITTEXT, 0, 0);
}

class Floor final : public bench::Sheets {
public:
    Floor() { open = build(4); }
    HWND window() const override { return open; }
    void dispatch(MSG& message) override
    {
        if (!IsDialogMessageW(open, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* floor = reinterpret_cast<Floor*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message != WM_COMMAND || !floor)
            return DefWindowProcW(window, message, wParam, lParam);
        const int id = LOWORD(wParam);
        if (lParam && HIWORD(wParam) == BN_CLICKED && id == kPlayers[floor->players - 1].button)
            floor->press(floor->players);
        else if (!lParam && id == bench::kReset)
            floor->reset();
        else if (!lParam && (id == bench::kThreePlayers || id == bench::kFourPlayers))
            floor->switchTo(id - bench::kReset);
        return 0;
    }

private:
    // The sheet for that many players, loaded and shown.
    HWND build(int count)
    {
        players = count;
        HMENU bar = CreateMenu();
        for (int i = 0; i < 5; ++i)
            AppendMenuW(bar, MF_STRING | (i == count ? MF_GRAYED : MF_ENABLED), static_cast<UINT_PTR>(bench::kReset + i),
                        kMenuCaptions[i]);
        // Centred on the work area, frame included.
        RECT frame{0, 0, kClientWidth, kClientHeight};
        AdjustWindowRectEx(&frame, kFrameStyle, TRUE, 0);
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        const auto centred = [&](int width, int height) {
            return POINT{work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2};
        };
        int width = frame.right - frame.left, height = frame.bottom - frame.top;
        POINT at = centred(width, height);
        HWND sheet = CreateWindowExW(0, count == 4 ? L"Form9" : L"Form8", kCaption, kFrameStyle, at.x, at.y, width,
                                     height, nullptr, bar, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(sheet, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        // The menu bar's commands wrap to a second line at this width.
        RECT client{};
        GetClientRect(sheet, &client);
        if (client.right != kClientWidth || client.bottom != kClientHeight) {
            width += kClientWidth - client.right;
            height += kClientHeight - client.bottom;
            at = centred(width, height);
            SetWindowPos(sheet, nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        }

        for (const Control& control : kShared)
            add(sheet, control);
        for (int p = 0; p < count; ++p) {
            const Player& player = kPlayers[p];
            const int column = 96 * p;
            add(sheet, {Field, player.nameField, player.name, {24 + column, 64, 81, 18}, false});
            for (int i = 0; i < 3; ++i)
                add(sheet, {Field, player.firstThrow + i, L"", {64 + column, 96 + 32 * i, 41, 18}, false});
            add(sheet, {Button, player.button, L"計算", {24 + column, 240, 81, 89}, false});
            add(sheet, {Label, player.scoreLabel, L"301", player.scorePlace, true, true});
        }
        // Form_Load.
        SetDlgItemTextW(sheet, 3008, kRules);
        for (int& score : remaining)
            score = 301;
        round = 1;

        ShowWindow(sheet, SW_SHOW);
        SetFocus(GetDlgItem(sheet, kPlayers[0].nameField));
        UpdateWindow(sheet);
        return sheet;
    }

    // As ZELVO, the old sheet goes before the new one is loaded; destroying
    // it inside its own WM_COMMAND is safe as nothing touches it afterwards.
    void switchTo(int count)
    {
        DestroyWindow(open);
        open = build(count);
    }

    void press(int player)
    {
        const Player& controls = kPlayers[player - 1];
        int sum = 0;
        for (int i = 0; i < 3; ++i) {
            wchar_t typed[16] = {};
            GetDlgItemTextW(open, controls.firstThrow + i, typed, 16);
            wchar_t* end = nullptr;
            const long value = std::wcstol(typed, &end, 10);
            if (end == typed || *end)
                return;
            sum += static_cast<int>(value);
        }
        remaining[player - 1] -= sum;
        SetDlgItemTextW(open, controls.scoreLabel, std::to_wstring(remaining[player - 1]).c_str());
        for (int i = 0; i < 3; ++i)
            SetDlgItemTextW(open, controls.firstThrow + i, L"");
        if (player == players)
            SetDlgItemTextW(open, bench::kLabel6, std::to_wstring(++round).c_str());
    }

    void reset()
    {
        for (int p = 0; p < players; ++p) {
            remaining[p] = 301;
            SetDlgItemTextW(open, kPlayers[p].scoreLabel, L"301");
        }
        round = 1;
        SetDlgItemTextW(open, bench::kLabel6, L"1");
    }

    HWND open = nullptr;
    int players = 0;
    int remaining[4] = {};
    int round = 1;
};

void registerSheetClasses()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW sheetClass{};
    sheetClass.cbSize = sizeof sheetClass;
    sheetClass.lpfnWndProc = &Floor::procedure;
    sheetClass.hInstance = instance;
    sheetClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0,
                                                     LR_DEFAULTSIZE | LR_SHARED));
    sheetClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    sheetClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    sheetClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    for (const wchar_t* name : {L"Form8", L"Form9"}) {
        sheetClass.lpszClassName = name;
        RegisterClassExW(&sheetClass);
    }
}

} // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    if (GetDpiForSystem() != 96)
        bench::fail("the floor is laid out for 96 DPI");
    registerSheetClasses();
    return bench::run(argc, argv, [] {
        uiFont = gothic(12, false, L"MS UI Gothic");
        boldFont = gothic(19, true, L"ＭＳ Ｐゴシック");
        return std::make_unique<Floor>();
    });
}
