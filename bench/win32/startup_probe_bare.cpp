// The yardstick for ZELVO's start-up: a bare Win32 program with the same
// manifest and icon that shows one window with the menu window's three texts
// in their fonts, and ends once it has painted. No designs, no application
// layer, no C++ beyond what the calls need.

#include "bench/win32/first_paint.hpp"

#include <commctrl.h>

namespace {

HFONT gothic(int pixels, bool bold)
{
    return CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       L"ＭＳ Ｐゴシック");
}

void add(HWND parent, const wchar_t* type, const wchar_t* text, DWORD style, RECT place, HFONT font)
{
    HWND control = CreateWindowExW(0, type, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top, place.right,
                                   place.bottom, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = L"Bare";
    RegisterClassExW(&windowClass);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 312, 213};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExW(0, L"Bare", L"ぽてのダーツ計算Ver2", style, 358 + frame.left, 242 + frame.top,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    add(window, L"STATIC", L"メニュー", SS_CENTER | SS_NOPREFIX, {40, 32, 225, 25}, gothic(24, false));
    add(window, L"BUTTON", L"カウントアップ", WS_TABSTOP | BS_PUSHBUTTON, {40, 72, 97, 57}, gothic(13, true));
    add(window, L"BUTTON", L"３０１", WS_TABSTOP | BS_PUSHBUTTON, {176, 72, 97, 57}, gothic(19, true));
    ShowWindow(window, SW_SHOW);
    return zelvo::bench::runUntilPainted(window, [&](MSG& message) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    });
}
