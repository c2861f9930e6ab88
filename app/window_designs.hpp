#pragma once

// The designs of the nine windows, as data: caption, client size, where the
// window opens, its menu bar, and every control with its text at load,
// rectangle, font and alignment. Each binding builds its windows from these
// and from nothing else.
//
// Positions and sizes stay in twips, the unit the windows were drawn in
// (1440 to the inch); twipsToPixels is the one place that converts them.
// This header knows no toolkit: every binding builds from the same data.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

enum class ControlType { Label, TextField, CommandButton };
enum class Alignment { Left, Centre, Right };
enum class Game { CountUp, Game301 };

struct TwipsPoint {
    int x;
    int y;
};

struct TwipsSize {
    int width;
    int height;
};

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

// A font a design lists is always ＭＳ Ｐゴシック; only size and weight vary.
// Controls that list none use their window's default font.
struct FontDesign {
    double pointSize;
    bool bold;
};

struct ControlDesign {
    ControlType type;
    std::string name;
    std::string text; // caption of a label or button, contents of a field
    TwipsRect geometry;
    std::optional<FontDesign> font;
    Alignment alignment = Alignment::Left;
    // What a screen reader calls a field or button whose caption alone
    // would not say whose it is ("プレーヤー2 1投目"), or a label whose
    // caption alone would not say what it counts: there kShownText stands
    // for the caption it shows at the time ("プレーヤー2 合計 {}").
    std::string accessibleName;
    // The window a click of this button switches to, if it switches.
    std::string opens;
    // A label whose caption another control's name already says (「回目」
    // after the round's 「3回目」): screen readers pass over it.
    bool spokenElsewhere = false;
};

struct MenuCommandDesign {
    std::string name;
    std::string caption;
    bool enabled;
    // The window a choice of this command switches to, if it switches.
    std::string opens;
};

struct SheetKind {
    Game game;
    int players;
};

struct WindowDesign {
    std::string name;
    std::string caption;
    TwipsSize clientSize;
    // Where the client area's top-left corner lies, from the screen's
    // top-left corner; a window without one opens centred on the screen.
    std::optional<TwipsPoint> fixedPosition;
    // The game a score sheet plays and for how many; none for the menu.
    std::optional<SheetKind> sheet;
    std::vector<MenuCommandDesign> menu; // left to right
    // Focusable controls appear in focus order; the first has the focus
    // when the window opens.
    std::vector<ControlDesign> controls;
};

inline constexpr std::string_view kMenuWindow = "Form5";

// The score sheets' menu commands: reset, then the commands that open the
// sheet for one, two, three or four players.
inline constexpr std::string_view kResetCommand = "reset";
inline constexpr std::string_view kPlayerCountCommands[] = {"one", "two", "three", "four"};

inline constexpr std::string_view kShownText = "{}";

// What a screen reader calls the control while it shows `shown`; empty where
// its caption says it all. A binding sets it at load and with every caption.
std::string accessibleName(const ControlDesign& control, std::string_view shown);

// 1440 twips make an inch: at 96 dots per inch, 15 twips make one pixel.
int twipsToPixels(int twips, int dotsPerInch = 96);

// Throws std::out_of_range for a name that is not one of Form1 to Form9.
const WindowDesign& windowDesign(std::string_view name);
// All nine, Form1 to Form9.
const std::vector<WindowDesign>& windowDesigns();

} // namespace zelvo
