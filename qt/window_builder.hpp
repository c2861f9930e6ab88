#pragma once

// Builds a window from its design (window_designs.hpp). The window is a
// top-level widget named after the design ("Form3"), every control a child
// named as designed ("Text4", "Command1", "Label8"), so QtWindow finds them.
// A score sheet is a QMainWindow whose central widget is the client area and
// whose menu widget is a MenuCommandBar holding the commands as QActions
// ("reset", "one" ...); the menu window is a plain widget. Every
// command button is pressed by Return, keypad Enter and Space when it has
// the focus.
//
// Building runs no Form_Load and shows nothing; the caller owns the window.

#include "app/window_designs.hpp"

#include <QFont>
#include <memory>

class QWidget;

namespace zelvo {

std::unique_ptr<QWidget> buildWindow(const WindowDesign& design);

// The font of controls that list none; it has to show Japanese.
QFont windowDefaultFont();

} // namespace zelvo
