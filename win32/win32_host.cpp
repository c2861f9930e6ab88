#include "win32/win32_host.hpp"

#include "resources/version.hpp"
#include "win32/form_window.hpp"
#include "win32/text.hpp"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace zelvo::win32 {

namespace {

class Win32LoadedWindow final : public LoadedWindow {
public:
    Win32LoadedWindow(Win32Host& host, FormWindow& form)
        : host(host)
        , form(form)
        , window(form.handle())
    {
    }

    // Also from inside one of the window's own messages, as a dialog
    // destroys itself on its OK button; nothing touches the window after.
    ~Win32LoadedWindow() override { DestroyWindow(window); }

    std::string text(std::string_view field) const override
    {
        return utf8(windowText(find(field, ControlType::TextField)));
    }

    // A window operation that Windows refuses is an error like a missing
    // control, never a change silently left out.
    void setText(std::string_view field, std::string_view text) override
    {
        if (!SetWindowTextW(find(field, ControlType::TextField), wide(text).c_str()))
            throw WindowError("cannot set the text of " + std::string(field));
    }

    void setCaption(std::string_view label, std::string_view caption) override
    {
        if (!SetWindowTextW(find(label, ControlType::Label), wide(caption).c_str()))
            throw WindowError("cannot set the caption of " + std::string(label));
    }

    void showMessage(std::string_view message) override
    {
        if (MessageBoxW(window, wide(message).c_str(), wide(kProductName).c_str(), MB_OK) == 0)
            throw WindowError("cannot show a message box");
    }

    void announce(std::string_view text) override { win32::announce(window, text); }

    void show() override
    {
        form.show();
        host.shown(window);
    }

    void hide() override
    {
        form.detach();
        host.unloaded(window);
        ShowWindow(window, SW_HIDE);
    }

private:
    HWND find(std::string_view name, ControlType type) const
    {
        HWND control = form.control(name, type);
        if (!control)
            throw WindowError("no control named " + std::string(name));
        return control;
    }

    Win32Host& host;
    FormWindow& form;
    HWND window;
};

} // namespace

Win32Host::Win32Host()
{
    // Version 6 of the common controls, as the manifest asks, for the
    // STATIC, EDIT and BUTTON classes.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

Win32Host::~Win32Host()
{
    // Windows still there when the program ends without unloading them.
    for (HWND window : std::vector<HWND>(windows))
        DestroyWindow(window);
}

std::unique_ptr<LoadedWindow> Win32Host::build(const WindowDesign& design, WindowEvents& events)
{
    FormWindow& form = FormWindow::create(design, events, anchor, [this](HWND gone) { std::erase(windows, gone); });
    windows.push_back(form.handle());
    return std::make_unique<Win32LoadedWindow>(*this, form);
}

void Win32Host::unloaded(HWND window)
{
    RECT frame{};
    if (GetWindowRect(window, &frame))
        anchor = {frame.left + (frame.right - frame.left) / 2, frame.top + (frame.bottom - frame.top) / 2};
    if (open == window)
        open = nullptr;
}

void Win32Host::quit()
{
    PostQuitMessage(0);
}

void Win32Host::dispatch(MSG& message)
{
    if (open && IsDialogMessageW(open, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int Win32Host::run()
{
    MSG message{};
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0)
        dispatch(message);
    return got < 0 ? 1 : static_cast<int>(message.wParam);
}

} // namespace zelvo::win32
