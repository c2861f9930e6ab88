#include "win32/edit_menu.hpp"

#include <windowsx.h>

#include <memory>
#include <type_traits>

namespace zelvo::win32 {

namespace {

// Each item's ID is the message that carries it out; a null caption is a separator.
struct Item {
    UINT command;
    const wchar_t* caption;
};
constexpr Item kItems[] = {
    {WM_UNDO, L"元に戻す(&U)"}, {0, nullptr},           {WM_CUT, L"切り取り(&T)"}, {WM_COPY, L"コピー(&C)"},
    {WM_PASTE, L"貼り付け(&P)"}, {WM_CLEAR, L"削除(&D)"}, {0, nullptr},            {EM_SETSEL, L"すべて選択(&A)"},
};

using Menu = std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&DestroyMenu)>;

// Below the caret, where a menu asked for from the keyboard opens.
POINT belowCaret(HWND field)
{
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    POINT at{};
    if (GetGUIThreadInfo(GetCurrentThreadId(), &thread) && thread.hwndCaret == field) {
        at = {thread.rcCaret.left, thread.rcCaret.bottom};
    } else {
        RECT client{};
        GetClientRect(field, &client);
        at = {client.left, client.bottom};
    }
    ClientToScreen(field, &at);
    return at;
}

} // namespace

bool showEditMenu(HWND field, LPARAM where)
{
    Menu menu(CreatePopupMenu(), &DestroyMenu);
    if (!menu)
        return false;
    if (GetFocus() != field)
        SetFocus(field);

    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto length = static_cast<DWORD>(GetWindowTextLengthW(field));
    const auto enabled = [&](UINT command) {
        switch (command) {
        case WM_UNDO:
            return SendMessageW(field, EM_CANUNDO, 0, 0) != 0;
        case WM_PASTE:
            return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
        case EM_SETSEL:
            return length > 0 && (start != 0 || end != length);
        default:
            return start != end;
        }
    };
    for (const Item& item : kItems) {
        const UINT flags = !item.caption ? MF_SEPARATOR : MF_STRING | (enabled(item.command) ? MF_ENABLED : MF_GRAYED);
        if (!AppendMenuW(menu.get(), flags, item.command, item.caption))
            return false;
    }

    POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (at.x == -1 && at.y == -1)
        at = belowCaret(field);
    const auto chosen = static_cast<UINT>(TrackPopupMenu(
        menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, field, nullptr));
    // The field may have gone with its window while the menu was open.
    if (chosen && IsWindow(field))
        SendMessageW(field, chosen, 0, chosen == EM_SETSEL ? -1 : 0);
    return true;
}

} // namespace zelvo::win32
