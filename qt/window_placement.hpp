#pragma once

// Where a window opens on the screen.

#include "app/window_designs.hpp"

#include <QMargins>

class QWidget;

namespace zelvo {

// Moves a built window, before it is first shown, to where its design opens
// it on the primary screen: the menu window with its client area at its fixed
// place, a score sheet centred as a whole window, title bar and borders
// included. A window manager tells the frame only once a window is mapped, so
// a sheet is placed by `frame`, the frame margins of a window shown before;
// should its own frame turn out different, it moves once, when first exposed.
void placeWindow(QWidget& window, const WindowDesign& design, QMargins frame = {});

} // namespace zelvo
