#pragma once

// The window operations the game logic needs, and nothing more: read and set
// a text field's whole text, set a label's caption, show a modal message box,
// tell a screen reader what a press changed.
// Controls are found by the names of the window designs ("Text1", "Label5").
// The game logic sees only this interface, so tests drive it with a plain
// fake window and the same logic runs unchanged on the real widgets.
//
// An operation that cannot be carried out (no such control) throws
// WindowError; inside a Calculate press that is reported like a bad entry.

#include <stdexcept>
#include <string>
#include <string_view>

namespace zelvo {

class WindowError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Window {
public:
    virtual ~Window() = default;

    virtual std::string text(std::string_view field) const = 0;
    virtual void setText(std::string_view field, std::string_view text) = 0;
    virtual void setCaption(std::string_view label, std::string_view caption) = 0;
    // Modal, OK only, no icon, titled ZELVO; returns when the user closes it.
    virtual void showMessage(std::string_view message) = 0;
    // Spoken by a screen reader, if one runs, without moving the focus.
    virtual void announce(std::string_view text) = 0;
};

} // namespace zelvo
