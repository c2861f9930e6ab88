#pragma once

// What screen readers get from the Qt binding beyond Qt's own: every window
// exposed as a window with its caption, the sheets' command bar as a menu
// bar of menu items, labels that only complete another control's name left
// unread, and words spoken without moving the focus.

#include <QString>

class QWidget;

namespace zelvo {

// Installs the accessibility factory behind all of the above.
void installAccessibleInterfaces();

// Leaves the control out of what screen readers read of its window.
void passOverByScreenReaders(QWidget& control);

// Speaks the text as told by the control that has the focus.
void announceOn(QWidget& focused, const QString& text);

} // namespace zelvo
