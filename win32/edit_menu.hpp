#pragma once

// The context menu of a field: the commands of Windows' own menu for an
// EDIT control, with their access keys and enabled states, in Japanese
// whatever the language of Windows.

#include <windows.h>

namespace zelvo::win32 {

// Shows the menu for a WM_CONTEXTMENU at `where` (screen coordinates, or -1
// from the keyboard: then at the caret) and carries out the command chosen.
// False when the menu could not be made.
bool showEditMenu(HWND field, LPARAM where);

} // namespace zelvo::win32
