#pragma once

// Decides which window the user sees, with no toolkit of its own: it drives
// one through the Host interface.
//
// Exactly one window is loaded at a time. The program starts at the menu
// window Form5; its buttons open the one-player sheet of the chosen game, and
// a sheet's one..four commands open the sheet of the same game for that many
// players. Nothing opens Form5 again. Where a button or command leads is part
// of the window designs.
//
// A switch unloads the current window (its controls go; its sheet object and
// the scoring state stay), builds the target afresh from its design, runs the
// sheet's Form_Load on it and shows it. Each sheet object, the window's
// default instance, is made the first time its window opens and kept for the
// whole run.
//
// Events are handled one at a time, each to its end: one that arrives while
// another runs (the window's message box is open) is dropped, as a window
// blocked by a modal box takes no input. A window unloaded during an event
// is hidden at once and destroyed when the event has been handled.
//
// Every event runs inside a guard: a fault of the program is written to
// standard error and the program goes on. When an event has been handled and
// no window is loaded (the user closed it), the program ends; never in the
// middle of a switch.

#include "app/host.hpp"
#include "app/window_designs.hpp"
#include "sheet/score_sheet.hpp"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

using SheetFactory = std::function<std::unique_ptr<ScoreSheet>(SheetKind)>;

// The default instance of a sheet of that kind: the game's own sheet class.
std::unique_ptr<ScoreSheet> makeSheet(SheetKind kind);

class Application final : private WindowEvents {
public:
    explicit Application(Host& host, SheetFactory sheetFactory = makeSheet);
    ~Application() override;

    // Opens the menu window.
    void start();

    // The loaded window's name, or empty once the user has closed it.
    std::string_view openWindow() const;

private:
    void clicked(std::string_view control) override;
    void closeRequested() override;

    template <typename Handler>
    void handle(Handler&& handler);
    void handleClick(std::string_view control);
    void switchTo(std::string_view windowName);
    void unload();
    ScoreSheet& sheetFor(const WindowDesign& design);

    Host& host;
    SheetFactory sheetFactory;
    std::map<std::string, std::unique_ptr<ScoreSheet>, std::less<>> sheets;
    const WindowDesign* openDesign = nullptr;
    std::unique_ptr<LoadedWindow> open;
    std::vector<std::unique_ptr<LoadedWindow>> unloaded; // hidden, destroyed when the event is done
    bool handling = false;
};

} // namespace zelvo
