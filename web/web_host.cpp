#include "web/web_host.hpp"

#include "resources/version.hpp"
#include "sheet/player_controls.hpp"
#include "ui/text_fit.hpp"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <utility>

// The page script's side of each operation, in zelvoPage (site/zelvo-page.js).
// Strings cross as UTF-8; every text goes into the page as text, never markup.
EM_JS(void, jsBeginWindow, (int id, const char* name, const char* caption, int width, int height), {
    zelvoPage.beginWindow(id, UTF8ToString(name), UTF8ToString(caption), width, height);
});
EM_JS(void, jsAddCommand, (int id, const char* name, const char* caption, bool enabled), {
    zelvoPage.addCommand(id, UTF8ToString(name), UTF8ToString(caption), enabled);
});
EM_JS(void, jsAddControl,
      (int id, int type, const char* name, const char* text, int left, int top, int width, int height,
       bool ownFont, double fontPixels, bool bold, int align, const char* accessibleName, bool unspoken, bool numeric),
      {
    zelvoPage.addControl(id, type, UTF8ToString(name), UTF8ToString(text), left, top, width, height,
                         ownFont, fontPixels, bold, align, UTF8ToString(accessibleName), unspoken, numeric);
});
EM_JS(void, jsShowWindow, (int id, int left, int top), { zelvoPage.showWindow(id, left, top); });
EM_JS(void, jsRemoveWindow, (int id), { zelvoPage.removeWindow(id); });
EM_JS(bool, jsHasControl, (int id, const char* name, int type), {
    return zelvoPage.hasControl(id, UTF8ToString(name), type);
});
EM_JS(char*, jsText, (int id, const char* name), {
    const text = zelvoPage.text(id, UTF8ToString(name));
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
EM_JS(void, jsSetText, (int id, const char* name, const char* text, const char* accessibleName), {
    zelvoPage.setText(id, UTF8ToString(name), UTF8ToString(text), UTF8ToString(accessibleName));
});
EM_JS(double, jsMeasure, (int id, const char* name, double pixels), {
    return zelvoPage.measure(id, UTF8ToString(name), pixels);
});
EM_JS(void, jsDrawAt, (int id, const char* name, double pixels), { zelvoPage.drawAt(id, UTF8ToString(name), pixels); });
EM_JS(void, jsAnnounce, (const char* text), { zelvoPage.announce(UTF8ToString(text)); });
EM_ASYNC_JS(void, jsShowMessage, (const char* title, const char* message), {
    await zelvoPage.showMessage(UTF8ToString(title), UTF8ToString(message));
});
EM_JS(void, jsQuit, (), { zelvoPage.quit(); });

namespace zelvo {

namespace {

// The same numbers as ControlType and Alignment, which the page script knows.
constexpr int kField = static_cast<int>(ControlType::TextField);
constexpr int kLabel = static_cast<int>(ControlType::Label);

// Controls without a font of their own show the window's: MS UI Gothic 9 pt.
constexpr double kDefaultPoints = 9;

double pixels(double points) { return points * 96 / 72; }

bool isThrowField(std::string_view name)
{
    return std::any_of(kPlayerControls.begin(), kPlayerControls.end(), [&](const PlayerControls& player) {
        return std::find(player.throwFields.begin(), player.throwFields.end(), name) != player.throwFields.end();
    });
}

std::string owned(char* text)
{
    std::string copy(text);
    std::free(text);
    return copy;
}

class WebWindow final : public LoadedWindow {
public:
    WebWindow(WebHost& host, int id, const WindowDesign& design)
        : host(host)
        , id(id)
        , design(design)
    {
    }

    ~WebWindow() override { hide(); }

    std::string text(std::string_view field) const override { return owned(jsText(id, checked(field, kField))); }

    void setText(std::string_view field, std::string_view text) override
    {
        jsSetText(id, checked(field, kField), std::string(text).c_str(), "");
    }

    void setCaption(std::string_view label, std::string_view caption) override
    {
        const char* name = checked(label, kLabel);
        const auto control = std::find_if(design.controls.begin(), design.controls.end(),
                                           [&](const ControlDesign& c) { return c.name == label; });
        jsSetText(id, name, std::string(caption).c_str(), accessibleName(*control, caption).c_str());
        fit(name, *control, caption);
    }

    void announce(std::string_view text) override { jsAnnounce(std::string(text).c_str()); }

    void showMessage(std::string_view message) override
    {
        jsShowMessage(kProductName, std::string(message).c_str());
    }

    void show() override
    {
        // The fixed place is the client area's; -1 asks the page to centre the window.
        const auto& at = design.fixedPosition;
        jsShowWindow(id, at ? twipsToPixels(at->x) : -1, at ? twipsToPixels(at->y) : -1);
    }

    void hide() override
    {
        if (std::exchange(hidden, true))
            return;
        host.forget(id);
        jsRemoveWindow(id);
    }

private:
    // A one-line caption too wide for its label is drawn smaller, by the
    // rule every binding follows; the label keeps its designed font.
    void fit(const char* name, const ControlDesign& label, std::string_view caption)
    {
        if (caption.find_first_of("\r\n") != std::string_view::npos)
            return;
        const double designed = label.font ? label.font->pointSize : kDefaultPoints;
        // A pixel kept clear at each side, as on the desktop.
        const double room = twipsToPixels(label.geometry.width) - 2;
        const double points = pointSizeToFit(designed, room,
                                             [&](double candidate) { return jsMeasure(id, name, pixels(candidate)); });
        jsDrawAt(id, name, points == designed ? 0 : pixels(points));
    }

    // The control's name, once the page has confirmed it is there and of that type.
    const char* checked(std::string_view name, int type) const
    {
        lastName.assign(name);
        if (!jsHasControl(id, lastName.c_str(), type))
            throw WindowError("no control named " + lastName);
        return lastName.c_str();
    }

    WebHost& host;
    int id;
    const WindowDesign& design;
    mutable std::string lastName;
    bool hidden = false;
};

} // namespace

std::unique_ptr<LoadedWindow> WebHost::build(const WindowDesign& design, WindowEvents& events)
{
    const int id = ++lastId;
    jsBeginWindow(id, design.name.c_str(), design.caption.c_str(), twipsToPixels(design.clientSize.width),
                  twipsToPixels(design.clientSize.height));
    for (const MenuCommandDesign& command : design.menu)
        jsAddCommand(id, command.name.c_str(), command.caption.c_str(), command.enabled);
    for (const ControlDesign& control : design.controls) {
        const TwipsRect& at = control.geometry;
        const double points = control.font ? control.font->pointSize : kDefaultPoints;
        jsAddControl(id, static_cast<int>(control.type), control.name.c_str(), control.text.c_str(),
                     twipsToPixels(at.left), twipsToPixels(at.top), twipsToPixels(at.width),
                     twipsToPixels(at.height), control.font.has_value(), pixels(points), control.font && control.font->bold,
                     static_cast<int>(control.alignment), accessibleName(control, control.text).c_str(),
                     control.spokenElsewhere, control.type == ControlType::TextField && isThrowField(control.name));
    }
    auto window = std::make_unique<WebWindow>(*this, id, design);
    windows[id] = &events;
    return window;
}

void WebHost::quit()
{
    jsQuit();
}

void WebHost::clicked(int id, std::string_view control)
{
    if (const auto window = windows.find(id); window != windows.end())
        window->second->clicked(control);
}

void WebHost::closeRequested(int id)
{
    if (const auto window = windows.find(id); window != windows.end())
        window->second->closeRequested();
}

} // namespace zelvo
