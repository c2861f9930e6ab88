#include "app/application.hpp"

#include "app/fault_report.hpp"

#include "countup/countup_sheet.hpp"
#include "game301/game301_sheet.hpp"
#include "sheet/player_controls.hpp"

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace zelvo {

std::unique_ptr<ScoreSheet> makeSheet(SheetKind kind)
{
    if (kind.game == Game::CountUp)
        return std::make_unique<CountUpSheet>(kind.players);
    return std::make_unique<Game301Sheet>(kind.players);
}

Application::Application(Host& host, SheetFactory sheetFactory)
    : host(host)
    , sheetFactory(std::move(sheetFactory))
{
}

Application::~Application() = default;

void Application::start()
{
    handle([&] { switchTo(kMenuWindow); });
}

std::string_view Application::openWindow() const
{
    return open ? std::string_view(openDesign->name) : std::string_view();
}

void Application::clicked(std::string_view control)
{
    handle([&] { handleClick(control); });
}

void Application::closeRequested()
{
    handle([&] { unload(); });
}

void Application::unload()
{
    if (!open)
        return;
    open->hide();
    unloaded.push_back(std::move(open));
    openDesign = nullptr;
}

template <typename Handler>
void Application::handle(Handler&& handler)
{
    // A box inside a press waits in a nested event loop; whatever reaches
    // the program meanwhile would otherwise run in the middle of the press,
    // on a sheet it may unload under it.
    if (handling)
        return;
    handling = true;
    // Nothing may throw into the toolkit's event loop. Form_Load, reset and
    // the switches cannot fail on anything a player types, and a press
    // reports bad entries itself, so whatever arrives here is a fault of the
    // program: say so and keep the window usable.
    try {
        handler();
    } catch (...) {
        reportCurrentFault();
    }
    unloaded.clear();
    handling = false;
    if (!open)
        host.quit();
}

void Application::handleClick(std::string_view control)
{
    if (!open)
        throw std::logic_error("a click with no window loaded");
    const WindowDesign& design = *openDesign;

    const auto& menu = design.menu;
    const auto command = std::find_if(menu.begin(), menu.end(), [&](const auto& c) { return c.name == control; });
    if (command != menu.end()) {
        if (!command->enabled)
            return;
        if (!command->opens.empty())
            return switchTo(command->opens);
        if (control == kResetCommand && design.sheet)
            return sheetFor(design).reset(*open);
        throw std::logic_error("nothing handles the command " + std::string(control));
    }

    const auto& controls = design.controls;
    const auto button = std::find_if(controls.begin(), controls.end(), [&](const auto& c) { return c.name == control; });
    if (button == controls.end() || button->type != ControlType::CommandButton)
        throw std::logic_error("no button " + std::string(control) + " in " + design.name);
    if (!button->opens.empty())
        return switchTo(button->opens);
    for (int player = 1; design.sheet && player <= design.sheet->players; ++player)
        if (controlsOf(player).calculateButton == control)
            return sheetFor(design).press(*open, player);
    throw std::logic_error("nothing handles the button " + std::string(control));
}

void Application::switchTo(std::string_view windowName)
{
    const WindowDesign& design = windowDesign(windowName);
    // The window whose event this is goes first, off the screen; it is
    // destroyed once the event has been handled.
    unload();

    std::unique_ptr<LoadedWindow> window = host.build(design, *this);
    if (design.sheet)
        sheetFor(design).load(*window);
    window->show();
    openDesign = &design;
    open = std::move(window);
}

ScoreSheet& Application::sheetFor(const WindowDesign& design)
{
    std::unique_ptr<ScoreSheet>& sheet = sheets[design.name];
    if (!sheet)
        sheet = sheetFactory(*design.sheet);
    return *sheet;
}

} // namespace zelvo
