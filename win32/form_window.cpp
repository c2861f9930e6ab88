#include "win32/form_window.hpp"

#include "app/fault_report.hpp"
#include "win32/accessibility.hpp"
#include "win32/control_ids.hpp"
#include "win32/edit_menu.hpp"
#include "win32/label_painting.hpp"
#include "win32/text.hpp"

#include <commctrl.h>

#include <cstddef>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace zelvo::win32 {

namespace {

// A fixed frame: a title bar with the system menu and minimise, no sizing border, no maximise.
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFrameExStyle = 0;

// The windows were drawn in ＭＳ Ｐゴシック; controls without a font of their
// own take the Japanese UI font.
constexpr wchar_t kDesignedFamily[] = L"ＭＳ Ｐゴシック";
constexpr wchar_t kDefaultFamily[] = L"MS UI Gothic";
constexpr double kDefaultPoints = 9;

// Icon group 1 of the executable (resources/zelvo.rc.in).
constexpr WORD kIconResource = 1;

// The style bit of an alignment, among a control class's three.
DWORD aligned(Alignment alignment, DWORD left, DWORD centre, DWORD right)
{
    switch (alignment) {
    case Alignment::Centre:
        return centre;
    case Alignment::Right:
        return right;
    case Alignment::Left:
        break;
    }
    return left;
}

// The system's procedures for the fields and labels, whose own procedures
// pass on what they do not handle. Plain subclassing, one procedure for every
// control of a kind: comctl32's SetWindowSubclass would look its data up in a
// window property on every message.
WNDPROC systemEdit = nullptr;
WNDPROC systemStatic = nullptr;
WNDPROC systemButton = nullptr;

void subclass(HWND control, WNDPROC& system, WNDPROC own)
{
    if (!system)
        system = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
}

HMENU createMenuBar(const WindowDesign& design)
{
    if (design.menu.empty())
        return nullptr;
    struct Item {
        UINT flags;
        UINT_PTR id;
        std::wstring caption;
    };
    std::vector<Item> items;
    for (const MenuCommandDesign& command : design.menu)
        items.push_back({static_cast<UINT>(MF_STRING | (command.enabled ? MF_ENABLED : MF_GRAYED)),
                         static_cast<UINT_PTR>(menuCommandId(command.name)), wide(command.caption)});
    HMENU bar = CreateMenu();
    if (!bar)
        throw std::runtime_error("could not create a menu bar");
    for (const Item& item : items)
        AppendMenuW(bar, item.flags, item.id, item.caption.c_str());
    return bar;
}

} // namespace

FormWindow::FormWindow(const WindowDesign& design, WindowEvents& events, std::function<void(HWND)> destroyed)
    : formDesign(design)
    , events(&events)
    , destroyed(std::move(destroyed))
{
}

FormWindow::~FormWindow() = default;

FormWindow& FormWindow::create(const WindowDesign& design, WindowEvents& events, POINT anchor,
                               std::function<void(HWND)> destroyed)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring className = wide(design.name);
    WNDCLASSEXW known{};
    known.cbSize = sizeof known;
    if (!GetClassInfoExW(instance, className.c_str(), &known)) {
        // The icon holds a single 32x32 image; Windows scales it for the
        // small icon, which is loaded once, as its own copy.
        static const HANDLE smallIcon = LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &FormWindow::procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, 0, 0,
                                                          LR_DEFAULTSIZE | LR_SHARED));
        windowClass.hIconSm = static_cast<HICON>(smallIcon);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        windowClass.lpszClassName = className.c_str();
        if (!RegisterClassExW(&windowClass))
            throw std::runtime_error("could not register the window class " + design.name);
    }

    std::unique_ptr<FormWindow> form(new FormWindow(design, events, std::move(destroyed)));
    const std::wstring caption = wide(design.caption);
    HMENU bar = createMenuBar(design);
    // Made at its place and size, so that it is neither moved nor redrawn
    // before it shows; the monitor's DPI is known only once it exists.
    form->dpi = GetDpiForSystem();
    const RECT frame = form->frameFor(anchor, bar != nullptr, 0);
    HWND window = CreateWindowExW(kFrameExStyle, className.c_str(), caption.c_str(), kFrameStyle, frame.left,
                                  frame.top, frame.right - frame.left, frame.bottom - frame.top, nullptr, bar, instance,
                                  form.get());
    if (!window) {
        if (bar)
            DestroyMenu(bar);
        throw std::runtime_error("could not create the window " + design.name);
    }
    // From here the window owns the object and deletes it when destroyed.
    FormWindow& made = *form.release();
    made.owned = true;
    try {
        made.settleFrame(anchor);
        made.addControls();
    } catch (...) {
        DestroyWindow(window);
        throw;
    }
    return made;
}

RECT FormWindow::frameFor(POINT anchor, bool menu, int menuWrap) const
{
    RECT frame{0, 0, pixels(formDesign.clientSize.width), pixels(formDesign.clientSize.height)};
    AdjustWindowRectExForDpi(&frame, kFrameStyle, menu, kFrameExStyle, dpi);
    // A menu bar wrapped to more lines takes that much more above the client area.
    frame.top -= menuWrap;
    POINT corner{};
    if (formDesign.fixedPosition) {
        // The client area's corner at its place from the screen's top-left corner.
        corner.x = pixels(formDesign.fixedPosition->x) + frame.left;
        corner.y = pixels(formDesign.fixedPosition->y) + frame.top;
    } else {
        // The whole window, frame included, centred on its monitor's work area.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromPoint(anchor, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& work = monitor.rcWork;
        corner.x = work.left + ((work.right - work.left) - (frame.right - frame.left)) / 2;
        corner.y = work.top + ((work.bottom - work.top) - (frame.bottom - frame.top)) / 2;
    }
    OffsetRect(&frame, corner.x - frame.left, corner.y - frame.top);
    return frame;
}

void FormWindow::settleFrame(POINT anchor)
{
    const bool menu = GetMenu(window) != nullptr;
    int menuWrap = 0;
    const UINT actual = GetDpiForWindow(window);
    bool misplaced = actual != dpi;
    dpi = actual;
    // The menu bar wraps when its commands do not fit the width; only the
    // client area the window has tells by how much.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!misplaced) {
            RECT client{};
            GetClientRect(window, &client);
            const int taller = pixels(formDesign.clientSize.height) - client.bottom;
            if (taller == 0 && client.right == pixels(formDesign.clientSize.width))
                break;
            menuWrap += taller;
        }
        const RECT frame = frameFor(anchor, menu, menuWrap);
        SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        misplaced = false;
    }
}

HWND FormWindow::control(std::string_view name, ControlType type) const
{
    for (const Control& control : controls)
        if (control.design->name == name && control.design->type == type)
            return control.handle;
    return nullptr;
}

std::shared_ptr<const Font> FormWindow::fontFor(const ControlDesign& design, UINT forDpi)
{
    return design.font ? sharedFont(kDesignedFamily, design.font->pointSize, design.font->bold, forDpi)
                       : sharedFont(kDefaultFamily, kDefaultPoints, false, forDpi);
}

void FormWindow::useFont(Control& control, std::shared_ptr<const Font> font)
{
    SendMessageW(control.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font->handle()), FALSE);
    if (control.label) {
        const std::optional<FontDesign>& design = control.design->font;
        control.label->setFont(font, design ? kDesignedFamily : kDefaultFamily,
                               design ? design->pointSize : kDefaultPoints, design && design->bold, dpi);
    }
    // The old font goes once no control draws with it.
    control.font = std::move(font);
}

void FormWindow::addControls()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // Every font first: should one fail, no control is left half made.
    defaultFont = sharedFont(kDefaultFamily, kDefaultPoints, false, dpi);
    std::vector<std::shared_ptr<const Font>> fonts;
    for (const ControlDesign& design : formDesign.controls)
        fonts.push_back(fontFor(design, dpi));

    controls.reserve(formDesign.controls.size());
    for (std::size_t i = 0; i < formDesign.controls.size(); ++i) {
        const ControlDesign& design = formDesign.controls[i];
        const wchar_t* windowClass = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        switch (design.type) {
        case ControlType::Label:
            style |= SS_NOPREFIX | aligned(design.alignment, SS_LEFT, SS_CENTER, SS_RIGHT);
            break;
        case ControlType::TextField:
            windowClass = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL | aligned(design.alignment, ES_LEFT, ES_CENTER, ES_RIGHT);
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlType::CommandButton:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON;
            break;
        }
        const std::wstring text = wide(design.text);
        const RECT place = placeOf(design);
        HWND handle = CreateWindowExW(exStyle, windowClass, text.c_str(), style, place.left, place.top,
                                      place.right - place.left, place.bottom - place.top, window,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(design.name))), instance,
                                      nullptr);
        if (!handle)
            throw std::runtime_error("could not create the control " + design.name);
        Control& made = controls.emplace_back(Control{&design, handle, nullptr, nullptr});
        if (design.type == ControlType::TextField) {
            // A pasted name or throw of any length is kept whole, not cut at 32,767 characters.
            SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);
            subclass(handle, systemEdit, &FormWindow::fieldProcedure);
        } else if (design.type == ControlType::Label) {
            made.label = std::make_unique<LabelPainter>();
            made.label->setText(text);
            subclass(handle, systemStatic, &FormWindow::labelProcedure);
        } else {
            subclass(handle, systemButton, &FormWindow::buttonProcedure);
        }
        useFont(made, std::move(fonts[i]));
        nameFromDesign(handle, design);
    }
    addAnnouncer(window);
    lastFocus = firstFocusable();
}

RECT FormWindow::placeOf(const ControlDesign& design) const
{
    const TwipsRect& place = design.geometry;
    const int left = pixels(place.left);
    const int top = pixels(place.top);
    return {left, top, left + pixels(place.width), top + pixels(place.height)};
}

int FormWindow::pixels(int twips) const { return twipsToPixels(twips, static_cast<int>(dpi)); }

HWND FormWindow::firstFocusable() const
{
    for (const Control& control : controls)
        if (control.design->type != ControlType::Label)
            return control.handle;
    return nullptr;
}

FormWindow* FormWindow::owning(HWND control, const Control** found)
{
    auto* form = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(GetParent(control), GWLP_USERDATA));
    if (!form)
        return nullptr;
    for (const Control& each : form->controls)
        if (each.handle == control) {
            *found = &each;
            return form;
        }
    return nullptr;
}

LRESULT FormWindow::namedObjectOf(HWND control, WPARAM wParam, LPARAM lParam)
{
    const Control* found = nullptr;
    return owning(control, &found) ? namedObject(control, *found->design, wParam, lParam) : 0;
}

// Return, Ctrl+Return and Escape in a field type nothing, and a single-line
// EDIT would beep at them. The dialog keys in the message loop see them first;
// this catches any that still arrive as characters. The context menu is the
// field's own Japanese one.
LRESULT CALLBACK FormWindow::fieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n' || wParam == 0x1B))
        return 0;
    if (message == WM_CONTEXTMENU && showEditMenu(field, lParam))
        return 0;
    if (message == WM_GETOBJECT)
        if (const LRESULT named = namedObjectOf(field, wParam, lParam))
            return named;
    return CallWindowProcW(systemEdit, field, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::buttonProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETOBJECT)
        if (const LRESULT named = namedObjectOf(button, wParam, lParam))
            return named;
    return CallWindowProcW(systemButton, button, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::labelProcedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Control* control = nullptr;
    LabelPainter* painter = owning(label, &control) ? control->label.get() : nullptr;
    if (!painter)
        return CallWindowProcW(systemStatic, label, message, wParam, lParam);
    // The STATIC keeps the text, the style and the font; the painting is the
    // painter's. A STATIC paints itself straight away when its text is set
    // or it is enabled, so those only store and paint through the painter.
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(label, &paint);
        painter->paint(label, dc);
        EndPaint(label, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        painter->paint(label, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETOBJECT:
        if (const LRESULT named = namedObject(label, *control->design, wParam, lParam))
            return named;
        return CallWindowProcW(systemStatic, label, message, wParam, lParam);
    case WM_SETTEXT: {
        // The name follows the caption once the label holds it: a screen
        // reader told of the change reads the name back at once.
        const auto* text = reinterpret_cast<const wchar_t*>(lParam);
        if (!painter->setText(text ? text : L"")) {
            if (text)
                captionSet(label, *control->design, text);
            return TRUE;
        }
        const LRESULT result = DefWindowProcW(label, message, wParam, lParam);
        if (text)
            captionSet(label, *control->design, text);
        // Painted at once, as a STATIC does: no round through the update region.
        if (IsWindowVisible(label)) {
            HDC dc = GetDC(label);
            painter->paint(label, dc);
            ReleaseDC(label, dc);
        }
        return result;
    }
    case WM_UPDATEUISTATE: {
        const LRESULT result = DefWindowProcW(label, message, wParam, lParam);
        InvalidateRect(label, nullptr, FALSE);
        return result;
    }
    case WM_ENABLE:
        InvalidateRect(label, nullptr, FALSE);
        return 0;
    default:
        return CallWindowProcW(systemStatic, label, message, wParam, lParam);
    }
}

double FormWindow::drawnPoints(HWND label)
{
    const Control* control = nullptr;
    if (!owning(label, &control) || !control->label)
        return 0;
    RECT area{};
    GetClientRect(label, &area);
    HDC dc = GetDC(label);
    const double points = control->label->drawnPoints(dc, area.right - area.left);
    ReleaseDC(label, dc);
    return points;
}

void FormWindow::applyDpi(UINT newDpi)
{
    // Every font for the new DPI first: should one fail, the window keeps
    // the fonts it has and nothing is left behind.
    std::shared_ptr<const Font> newDefault = sharedFont(kDefaultFamily, kDefaultPoints, false, newDpi);
    std::vector<std::shared_ptr<const Font>> newFonts;
    newFonts.reserve(controls.size());
    for (const Control& control : controls)
        newFonts.push_back(fontFor(*control.design, newDpi));

    dpi = newDpi;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const RECT place = placeOf(*controls[i].design);
        SetWindowPos(controls[i].handle, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        useFont(controls[i], std::move(newFonts[i]));
    }
    defaultFont = std::move(newDefault);

    fitClientArea();
    InvalidateRect(window, nullptr, TRUE);
}

void FormWindow::fitClientArea()
{
    const int width = pixels(formDesign.clientSize.width);
    const int height = pixels(formDesign.clientSize.height);
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, kFrameStyle, GetMenu(window) != nullptr, kFrameExStyle, dpi);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // That counts one line of menu bar; when the commands do not fit the
    // width the bar wraps to more lines, so the actual client area decides.
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT client{};
        GetClientRect(window, &client);
        const int wider = width - client.right;
        const int taller = height - client.bottom;
        if (wider == 0 && taller == 0)
            break;
        RECT outer{};
        GetWindowRect(window, &outer);
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + wider, outer.bottom - outer.top + taller,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void FormWindow::show()
{
    ShowWindow(window, SW_SHOW);
    if (lastFocus)
        SetFocus(lastFocus);
    UpdateWindow(window);
}

void FormWindow::command(WPARAM wParam, LPARAM lParam)
{
    std::string name;
    if (lParam) {
        if (HIWORD(wParam) != BN_CLICKED)
            return;
        for (const Control& control : controls)
            if (control.handle == reinterpret_cast<HWND>(lParam) && control.design->type == ControlType::CommandButton)
                name = control.design->name;
    } else if (HIWORD(wParam) == 0) {
        // A menu command. The dialog keys send IDOK and IDCANCEL the same
        // way for Return and Escape in a field; those are no command.
        for (const MenuCommandDesign& item : formDesign.menu)
            if (menuCommandId(item.name) == LOWORD(wParam))
                name = item.name;
    }
    if (!name.empty() && events)
        events->clicked(name);
}

LRESULT FormWindow::respond(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        // The controls are still there, about to go: their annotations go first.
        for (const Control& control : controls)
            forgetAnnotations(control.handle);
        if (HWND announcer = GetDlgItem(window, kAnnouncerId))
            forgetAnnotations(announcer);
        return 0;
    case WM_COMMAND:
        command(wParam, lParam);
        return 0;
    case DM_GETDEFID: {
        // Return and keypad Enter press the button that has the focus, and
        // in a field no button: there is no default button.
        HWND focus = GetFocus();
        for (const Control& control : controls)
            if (control.handle == focus && control.design->type == ControlType::CommandButton)
                return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
        return 0;
    }
    case WM_CLOSE:
        // The application decides: it unloads the window, and the program ends.
        if (events)
            events->closeRequested();
        return 0;
    case WM_ACTIVATE:
        // The focus leaves with the window (a message box, another program)
        // and comes back to the same control, as in a dialog.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window, focus))
                lastFocus = focus;
        } else if (!HIWORD(wParam) && lastFocus) {
            SetFocus(lastFocus);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(defaultFont ? defaultFont->handle() : nullptr);
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        applyDpi(HIWORD(wParam));
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK FormWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<FormWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    FormWindow* form = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form)
        return DefWindowProcW(window, message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (form->owned) {
            if (form->destroyed)
                form->destroyed(window);
            delete form;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // Nothing may unwind through Windows' frames: a fault that gets this far
    // is reported and the message counts as handled. The form may be gone
    // when respond() returns (the application unloaded its window).
    try {
        return form->respond(message, wParam, lParam);
    } catch (...) {
        reportCurrentFault();
        return 0;
    }
}

} // namespace zelvo::win32
