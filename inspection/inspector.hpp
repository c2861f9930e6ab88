#pragma once

// The inspector every binding provides for tests and tools: a way to run
// the whole program as main() runs it, look at its windows the way a user
// sees them, and use them the way a user does (click, type, keys, close).
// Each binding implements it with its own toolkit in a library of its own,
// which the program does not link; a suite written against it knows no
// toolkit, so every binding is held to the same checks.
//
// Rectangles are in the binding's pixels at `dotsPerInch` (96 where the
// toolkit scales by itself): the suite converts the designed twips to them.

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelvo::inspection {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

enum class Kind { Label, TextField, CommandButton };
enum class Align { Left, Centre, Right };

struct Font {
    std::string family;
    double points = 0;
    bool bold = false;
    bool operator==(const Font&) const = default;
};

struct ControlView {
    Kind kind = Kind::Label;
    std::string text;  // a label's or button's caption, a field's contents
    Rect rect;         // within the client area
    Font font;
    Align alignment = Align::Left; // of a label's or a field's text; a button's is its own
    // The point size a label's text is drawn at: smaller than its font's
    // when the text is too wide for it; 0 where the binding cannot tell.
    double drawnPoints = 0;
    std::string accessibleName;    // what a screen reader calls it
};

struct WindowView {
    std::string name;  // Form1..Form9
    std::string caption;
    int dotsPerInch = 96;
    Rect client;       // the client area, on the screen
    Rect frame;        // the whole window with title bar, borders and menu bar, on the screen
    Rect workArea;     // the screen's area available to windows
    Font defaultFont;  // what controls without a font of their own show
    bool fixedSize = false;
};

struct MenuCommandView {
    std::string name;
    std::string caption;
    bool enabled = false;
    bool onBar = false; // drawn on the menu bar itself, not in an overflow or a submenu
    bool operator==(const MenuCommandView&) const = default;
};

struct BoxView {
    std::string caption;
    std::string text;
    bool okOnly = false;
    bool noIcon = false;
    std::map<std::string, std::string> labels; // the window's labels while the box was open
};

// Menu is F10; Alt is the Alt key pressed and released alone.
enum class Key { Tab, BackTab, Return, Enter, Space, Escape, Menu, Alt, Left, Right };

class Inspector {
public:
    virtual ~Inspector() = default;

    // Starts the program at the menu window, as main() does.
    virtual void start() = 0;
    // Every window of the program that still exists, loaded or not yet destroyed.
    virtual std::vector<std::string> windows() = 0;

    // The loaded window; a test asks only while one is loaded.
    virtual WindowView window() = 0;
    // All controls of its client area, by name.
    virtual std::vector<std::string> controlNames() = 0;
    virtual ControlView control(const std::string& name) = 0;
    // The menu bar's commands, left to right; none for a window without a bar.
    virtual std::vector<MenuCommandView> menu() = 0;
    // The control with the keyboard focus, by name.
    virtual std::string focus() = 0;

    // A key pressed and released on the focused control, as the keyboard does it.
    virtual void key(Key key) = 0;
    // Keys pressed one after another as fast as a user types them, each taken
    // by whatever has the focus by then. A row that takes the keyboard to the
    // menu bar must also leave it (by choosing or by Escape).
    virtual void keys(std::initializer_list<Key> keys) = 0;
    // The field's text replaced, as a user pastes it.
    virtual void type(const std::string& field, const std::string& text) = 0;
    // A mouse click on a button, or on a command on the menu bar.
    virtual void click(const std::string& control) = 0;
    // The window frame's close command.
    virtual void close() = 0;
    // Whether the program has asked its event loop to end.
    virtual bool ended() = 0;

    // Every message box is answered with OK as soon as it opens; these are the
    // boxes since the last call, in order.
    virtual std::vector<BoxView> boxes() = 0;
    // Runs inside every following box's wait, before it is answered: what a
    // user or another program does to the window meanwhile. Empty to stop.
    virtual void whileBoxIsOpen(std::function<void()> act) = 0;
    // What the program has told a screen reader since the last call, in order.
    virtual std::vector<std::string> announcements() = 0;
};

// Each binding's inspector library makes its own.
std::unique_ptr<Inspector> makeInspector();

} // namespace zelvo::inspection
