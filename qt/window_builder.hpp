#pragma once

// Builds a window from its design (window_designs.hpp). The window is a
// top-level widget named after the design ("Form3"), every control a child
// named as designed ("Text4", "Command1", "Label8"), so QtWindow finds them.
// A score sheet is a QMainWindow whose central widget is the client area and
// whose menu commands are QActions ("reset", "one" ...) placed directly on
// its menu bar, a WrappingMenuBar; the menu window is a plain widget. Every
// command button is pressed by Return, keypad Enter and Space when it has
// the focus.
//
// Building runs no Form_Load and shows nothing; the caller owns the window.

#include "app/window_designs.hpp"

#include <QFont>
#include <QMargins>
#include <memory>

class QWidget;

namespace zelvo {

std::unique_ptr<QWidget> buildWindow(const WindowDesign& design);

// Moves a built window, before it is first shown, to where its design opens
// it on the primary screen: the menu window with its client area at its fixed
// place, a score sheet centred as a whole window, title bar and borders
// included. A window manager tells the frame only once a window is mapped, so
// a sheet is placed by `frame`, the frame margins of a window shown before;
// should its own frame turn out different, it moves once, when first exposed.
void placeWindow(QWidget& window, const WindowDesign& design, QMargins frame = {});

// The font of controls that list none; it has to show Japanese.
QFont windowDefaultFont();

// The font a one-line text too wide for its label is drawn in: the label's
// own, made just small enough for the text's ink to be at most `width`
// pixels wide.
QFont fontToFit(const QFont& font, const QString& text, int width);

} // namespace zelvo
