// The Win32 binding's inspector: the program runs as main() runs it, with
// every message going through the host's own dispatch (the open window's
// dialog keys first). Windows are found by their class names, controls by
// the IDs their names give; clicks, keys and the close command are the
// messages the mouse, the keyboard and the frame post; message boxes are
// answered from a thread timer, which fires inside their modal loop. Names
// and announcements are read through MSAA, as a screen reader reads them.

#include "app/application.hpp"
#include "inspection/inspector.hpp"
#include "inspection/quit_watch.hpp"
#include "win32/control_ids.hpp"
#include "win32/desktop.hpp"
#include "win32/form_window.hpp"
#include "win32/text.hpp"
#include "win32/win32_host.hpp"

#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <map>
#include <stdexcept>
#include <utility>

namespace zelvo::inspection {

namespace {

using win32::utf8;
using win32::wide;
using win32::windowText;
using namespace win32::inspection;

// Names read back from IDs as the program promises them (Text n is 1000 + n,
// Command n 2000 + n, Label n 3000 + n, the menu commands 100 to 104), so
// that the suite sees the designed names only where the binding keeps to it.
const std::pair<const char*, int> kIdRanges[] = {{"Text", 1000}, {"Command", 2000}, {"Label", 3000}};
const char* const kMenuNames[] = {"reset", "one", "two", "three", "four"};

std::string nameOf(int id)
{
    for (const auto& [prefix, base] : kIdRanges)
        if (id > base && id < base + 1000)
            return std::string(prefix).append(std::to_string(id - base));
    return std::string("?").append(std::to_string(id));
}

std::string menuNameOf(UINT id)
{
    return id >= 100 && id <= 104 ? std::string(kMenuNames[id - 100]) : std::string("?").append(std::to_string(id));
}

Rect rectOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

// A versioned class ("6.0.x!Button") counts as its plain name.
bool isClass(HWND window, const wchar_t* name)
{
    std::wstring found = className(window);
    if (const auto bang = found.find(L'!'); bang != std::wstring::npos)
        found.erase(0, bang + 1);
    return CompareStringOrdinal(found.c_str(), -1, name, -1, TRUE) == CSTR_EQUAL;
}

Font fontOf(HWND window, UINT dotsPerInch)
{
    auto* font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    LOGFONTW logical{};
    if (!font || !GetObjectW(font, sizeof logical, &logical))
        return {};
    const double pixels = logical.lfHeight < 0 ? -logical.lfHeight : logical.lfHeight;
    return {utf8(logical.lfFaceName), pixels * 72.0 / dotsPerInch, logical.lfWeight >= FW_BOLD};
}

// What a screen reader calls an object, or empty.
std::string spokenName(IAccessible& object, const VARIANT& child)
{
    BSTR name = nullptr;
    std::string found;
    if (object.get_accName(child, &name) == S_OK && name)
        found = utf8(std::wstring_view(name, SysStringLen(name)));
    SysFreeString(name);
    return found;
}

std::string accessibleNameOf(HWND control)
{
    IAccessible* object = nullptr;
    // __uuidof: with a static link, IID_IAccessible is an import thunk, not the GUID.
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return {};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    std::string name = spokenName(*object, self);
    object->Release();
    return name;
}

class Win32Inspector;
Win32Inspector* answering = nullptr;

class Win32Inspector final : public Inspector {
public:
    Win32Inspector()
    {
        answering = this;
        timer = SetTimer(nullptr, 0, 10, &Win32Inspector::answerBox);
        // Out of context, as a screen reader in its own process gets them.
        liveRegions = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                      &Win32Inspector::heard, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        run();
    }

    ~Win32Inspector() override
    {
        KillTimer(nullptr, timer);
        if (liveRegions)
            UnhookWinEvent(liveRegions);
        if (answering == this)
            answering = nullptr;
    }

    void start() override
    {
        application.start();
        run();
    }

    std::vector<std::string> windows() override
    {
        run();
        std::vector<std::string> names;
        for (HWND window : threadWindows())
            if (className(window).starts_with(L"Form"))
                names.push_back(utf8(className(window)));
        return names;
    }

    WindowView window() override
    {
        HWND w = loaded();
        const UINT dpi = GetDpiForWindow(w);
        // A run meant for another DPI proves nothing at 96.
        wchar_t expected[8] = {};
        if (GetEnvironmentVariableW(L"ZELVO_TEST_DPI", expected, 8) && std::wcstoul(expected, nullptr, 10) != dpi)
            throw std::runtime_error("the window has " + std::to_string(dpi) + " DPI, not " + utf8(expected));
        RECT client{};
        GetClientRect(w, &client);
        MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&client), 2);
        RECT frame{};
        GetWindowRect(w, &frame);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &monitor);
        const LONG style = GetWindowLongW(w, GWL_STYLE);
        return {utf8(className(w)),
                utf8(windowText(w)),
                static_cast<int>(dpi),
                rectOf(client),
                rectOf(frame),
                rectOf(monitor.rcWork),
                fontOf(w, dpi),
                !(style & (WS_THICKFRAME | WS_MAXIMIZEBOX))};
    }

    std::vector<std::string> controlNames() override
    {
        std::vector<std::string> names;
        for (HWND control : childControls(loaded()))
            names.push_back(nameOf(GetDlgCtrlID(control)));
        return names;
    }

    ControlView control(const std::string& name) override
    {
        HWND w = loaded();
        HWND c = find(name);
        ControlView view;
        view.text = utf8(windowText(c));
        RECT place{};
        GetWindowRect(c, &place);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&place), 2);
        view.rect = rectOf(place);
        view.font = fontOf(c, GetDpiForWindow(w));
        view.accessibleName = accessibleNameOf(c);
        const LONG style = GetWindowLongW(c, GWL_STYLE);
        if (isClass(c, L"Static")) {
            view.kind = Kind::Label;
            const LONG type = style & SS_TYPEMASK;
            view.alignment = type == SS_CENTER ? Align::Centre : type == SS_RIGHT ? Align::Right : Align::Left;
            view.drawnPoints = win32::FormWindow::drawnPoints(c);
        } else if (isClass(c, L"Edit")) {
            view.kind = Kind::TextField;
            view.alignment = style & ES_CENTER ? Align::Centre : style & ES_RIGHT ? Align::Right : Align::Left;
        } else if (isClass(c, L"Button")) {
            view.kind = Kind::CommandButton;
            view.alignment = Align::Centre;
        } else {
            throw std::runtime_error(name + " is a " + utf8(className(c)));
        }
        return view;
    }

    std::vector<MenuCommandView> menu() override
    {
        HWND w = loaded();
        std::vector<MenuCommandView> commands;
        HMENU bar = GetMenu(w);
        if (!bar)
            return commands;
        MENUBARINFO barInfo{};
        barInfo.cbSize = sizeof barInfo;
        GetMenuBarInfo(w, OBJID_MENU, 0, &barInfo);
        for (int i = 0; i < GetMenuItemCount(bar); ++i) {
            wchar_t caption[128] = {};
            MENUITEMINFOW item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
            item.dwTypeData = caption;
            item.cch = 128;
            GetMenuItemInfoW(bar, static_cast<UINT>(i), TRUE, &item);
            RECT place{};
            const bool placed = GetMenuItemRect(w, bar, static_cast<UINT>(i), &place) && !IsRectEmpty(&place);
            RECT common{};
            const bool onBar = placed && !item.hSubMenu && !(item.fType & MFT_SEPARATOR)
                               && IntersectRect(&common, &place, &barInfo.rcBar) && EqualRect(&common, &place);
            commands.push_back({menuNameOf(item.wID), utf8(caption), !(item.fState & MFS_DISABLED), onBar});
        }
        return commands;
    }

    std::string focus() override
    {
        HWND focused = GetFocus();
        return focused && IsChild(loaded(), focused) ? nameOf(GetDlgCtrlID(focused)) : std::string();
    }

    void key(Key key) override { keys({key}); }

    // All the keys are posted before any is handled, as a quick typist's
    // are: the menu bar's modal loop, which F10 and Alt start, takes those
    // after them from the queue itself.
    void keys(std::initializer_list<Key> keys) override
    {
        // Posted keys do not change the keyboard state the dialog keys read
        // Shift from; a held Shift is set there for the while.
        BYTE state[256] = {};
        GetKeyboardState(state);
        bool shifted = false;
        for (Key key : keys) {
            const KeyStroke stroke = strokeOf(key);
            HWND target = GetFocus() ? GetFocus() : loaded();
            if (stroke.shift && !shifted) {
                BYTE held[256];
                std::copy(std::begin(state), std::end(state), held);
                held[VK_SHIFT] = held[VK_LSHIFT] = 0x80;
                SetKeyboardState(held);
                shifted = true;
            }
            if (stroke.shift)
                post(target, {VK_SHIFT}, false);
            post(target, stroke, false);
            post(target, stroke, true);
            if (stroke.shift)
                post(target, {VK_SHIFT}, true);
        }
        run();
        if (shifted)
            SetKeyboardState(state);
    }

    void type(const std::string& field, const std::string& text) override
    {
        HWND edit = find(field);
        if (!isClass(edit, L"Edit"))
            throw std::runtime_error(field + " is no text field");
        // A paste: the whole text selected and replaced, within the field's limit.
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide(text).c_str()));
        run();
    }

    void click(const std::string& control) override
    {
        HWND w = loaded();
        if (HMENU bar = GetMenu(w); bar && std::ranges::find(kMenuNames, control) != std::end(kMenuNames))
            return clickMenu(w, bar, static_cast<UINT>(win32::menuCommandId(control)));
        HWND button = find(control);
        if (!isClass(button, L"Button"))
            throw std::runtime_error(control + " is no button");
        RECT area{};
        GetClientRect(button, &area);
        const LPARAM centre = MAKELPARAM((area.right - area.left) / 2, (area.bottom - area.top) / 2);
        PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        PostMessageW(button, WM_LBUTTONUP, 0, centre);
        run();
    }

    void close() override
    {
        PostMessageW(loaded(), WM_SYSCOMMAND, SC_CLOSE, 0);
        run();
    }

    bool ended() override { return watch.quitAsked && quitReceived; }

    std::vector<BoxView> boxes() override { return std::exchange(answered, {}); }
    void whileBoxIsOpen(std::function<void()> act) override { duringBox = std::move(act); }
    std::vector<std::string> announcements() override
    {
        run();
        return std::exchange(spoken, {});
    }

private:
    void run()
    {
        if (settle(host))
            quitReceived = true;
    }

    struct KeyStroke {
        WPARAM code;
        bool extended = false; // keypad Enter and the arrow keys
        bool system = false;   // F10 and Alt come as system keys
        bool shift = false;
    };

    static KeyStroke strokeOf(Key key)
    {
        // Keypad Enter is Return with the extended-key bit; F10 and Alt come as system keys.
        static const std::map<Key, KeyStroke> strokes{
            {Key::Tab, {VK_TAB}},          {Key::BackTab, {VK_TAB, false, false, true}},
            {Key::Return, {VK_RETURN}},    {Key::Enter, {VK_RETURN, true}},
            {Key::Space, {VK_SPACE}},      {Key::Escape, {VK_ESCAPE}},
            {Key::Menu, {VK_F10, false, true}}, {Key::Alt, {VK_MENU, false, true}},
            {Key::Left, {VK_LEFT, true}},  {Key::Right, {VK_RIGHT, true}},
        };
        return strokes.at(key);
    }

    static void post(HWND target, const KeyStroke& stroke, bool up)
    {
        const UINT scan = MapVirtualKeyW(static_cast<UINT>(stroke.code), MAPVK_VK_TO_VSC);
        LPARAM flags = 1 | (static_cast<LPARAM>(scan) << 16) | (stroke.extended ? 1 << 24 : 0);
        if (stroke.code == VK_MENU && !up)
            flags |= 1 << 29; // the Alt key is down
        if (up)
            flags |= (1 << 30) | (LPARAM(1) << 31);
        const UINT message = stroke.system ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
        PostMessageW(target, message, stroke.code, flags);
    }

    // A click on a command of the menu bar: the menu tracks the mouse from
    // the button going down on the item to its release there.
    void clickMenu(HWND w, HMENU bar, UINT id)
    {
        int position = -1;
        for (int i = 0; i < GetMenuItemCount(bar); ++i)
            if (GetMenuItemID(bar, i) == id)
                position = i;
        RECT place{};
        if (position < 0 || !GetMenuItemRect(w, bar, static_cast<UINT>(position), &place))
            throw std::runtime_error("the command is not on the bar");
        const POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
        SetCursorPos(centre.x, centre.y);
        PostMessageW(w, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(centre.x, centre.y));
        PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
        // A command that is switched off does nothing and leaves the bar in
        // menu mode, highlighted; the user leaves it with Escape.
        if (GetMenuState(bar, id, MF_BYCOMMAND) & MF_GRAYED) {
            post(w, {VK_ESCAPE}, false);
            post(w, {VK_ESCAPE}, true);
        }
        run();
    }

    HWND loaded()
    {
        const std::wstring name = wide(application.openWindow());
        for (HWND window : threadWindows())
            if (!name.empty() && className(window) == name && IsWindowVisible(window))
                return window;
        throw std::runtime_error("no window is loaded");
    }

    HWND find(const std::string& name)
    {
        HWND control = GetDlgItem(loaded(), win32::controlId(name));
        if (!control)
            throw std::runtime_error("no control " + name);
        return control;
    }

    // A live region changed: what a screen reader reads out is its name.
    static void CALLBACK heard(HWINEVENTHOOK, DWORD, HWND source, LONG object, LONG child, DWORD, DWORD)
    {
        IAccessible* region = nullptr;
        VARIANT which{};
        if (!answering || FAILED(AccessibleObjectFromEvent(source, static_cast<DWORD>(object),
                                                           static_cast<DWORD>(child), &region, &which)))
            return;
        answering->spoken.push_back(spokenName(*region, which));
        region->Release();
        VariantClear(&which);
    }

    static void CALLBACK answerBox(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND box = shownWindow(L"#32770");
        // The act run inside a box pumps messages, this timer's among them.
        if (!box || !answering || answering->inBox)
            return;
        Win32Inspector& self = *answering;
        BoxView view{utf8(windowText(box)), utf8(windowText(GetDlgItem(box, 0xFFFF))), false, true, {}};
        std::vector<int> buttons;
        for (HWND child : childControls(box)) {
            if (!IsWindowVisible(child))
                continue;
            if (isClass(child, L"Button"))
                buttons.push_back(GetDlgCtrlID(child));
            // Wine keeps an icon control in every box; only one showing an icon counts.
            if (isClass(child, L"Static") && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON
                && SendMessageW(child, STM_GETICON, 0, 0))
                view.noIcon = false;
        }
        view.okOnly = buttons == std::vector<int>{IDOK};
        for (HWND control : childControls(self.loaded()))
            if (isClass(control, L"Static"))
                view.labels[nameOf(GetDlgCtrlID(control))] = utf8(windowText(control));
        self.answered.push_back(view);
        if (self.duringBox) {
            self.inBox = true;
            self.duringBox();
            self.inBox = false;
        }
        if (HWND ok = GetDlgItem(box, IDOK))
            SendMessageW(ok, BM_CLICK, 0, 0);
        else
            PostMessageW(box, WM_CLOSE, 0, 0);
    }

    win32::Win32Host host;
    QuitWatch watch{host};
    Application application{watch};
    UINT_PTR timer = 0;
    HWINEVENTHOOK liveRegions = nullptr;
    std::vector<std::string> spoken;
    bool quitReceived = false;
    std::vector<BoxView> answered;
    std::function<void()> duringBox;
    bool inBox = false;
};

} // namespace

std::unique_ptr<Inspector> makeInspector() { return std::make_unique<Win32Inspector>(); }

} // namespace zelvo::inspection
