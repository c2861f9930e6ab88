#pragma once

// Builds a window from its design (window_designs.hpp). The window is a
// top-level widget named after the design ("Form3"), every control a child
// named as designed ("Text4", "Command1", "Label8"), so QtWindow finds them.
// A score sheet is a QMainWindow whose central widget is the client area and
// whose menu commands are QActions ("reset", "one" ...) placed directly on
// its menu bar; the menu window is a plain widget.
//
// Building runs no Form_Load and shows nothing; the caller owns the window.

#include "app/window_designs.hpp"

#include <QFont>
#include <memory>

class QWidget;

namespace zelvo {

std::unique_ptr<QWidget> buildWindow(const WindowDesign& design);

// Moves a built window to where its design opens it on the primary screen:
// the menu window at its fixed place, the sheets centred.
void placeWindow(QWidget& window, const WindowDesign& design);

// The font of controls that list none; it has to show Japanese.
QFont windowDefaultFont();

// The font a one-line label draws its text in: its own, or, for a text too
// wide for the label, the same font made just small enough to fit.
QFont fontToFit(const QFont& font, const QString& text, int width);

} // namespace zelvo
