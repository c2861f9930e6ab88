#pragma once

// What the application asks of a score sheet. A sheet object holds the scoring
// state of one window for the whole run; the window it works on is built
// afresh at every showing and handed in with every event.

#include "ui/window.hpp"

namespace zelvo {

class ScoreSheet {
public:
    virtual ~ScoreSheet() = default;

    // Form_Load: runs after the controls are built, before the window shows.
    virtual void load(Window& window) = 0;
    // Click of a Calculate button; player is 1-based.
    virtual void press(Window& window, int player) = 0;
    // Click of the reset menu command.
    virtual void reset(Window& window) = 0;
};

} // namespace zelvo
