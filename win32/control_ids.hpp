#pragma once

// Every control and menu command has a fixed ID derived from its design name,
// so that WM_COMMAND, GetDlgItem and tools such as screen readers and test
// drivers see the same number in every build: Text n is 1000 + n, Command n
// is 2000 + n, Label n is 3000 + n; the menu commands reset, one, two, three
// and four are 100 to 104.

#include <string_view>

namespace zelvo::win32 {

// Throws std::logic_error for a name that fits none of the patterns.
int controlId(std::string_view name);
int menuCommandId(std::string_view name);

} // namespace zelvo::win32
