#pragma once

// What screen readers get from the Qt binding beyond Qt's own: every window
// exposed as a window with its caption, and words spoken without moving the
// focus.

#include <QString>

class QWidget;

namespace zelvo {

// Installs the accessibility factory that makes a top-level window without a
// menu bar a window to screen readers; Qt makes it a filler.
void exposeWindowsAsWindows();

// Speaks the text as told by the control that has the focus.
void announceOn(QWidget& focused, const QString& text);

} // namespace zelvo
