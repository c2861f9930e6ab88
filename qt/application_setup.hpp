#pragma once

// What the program sets on the QApplication before its first window: name,
// version, icon, desktop entry, the Japanese default font and Qt's own texts
// in Japanese. The program, its tests and its start-up benchmark share it, so
// they cannot drift apart.

namespace zelvo {

void setUpApplication();

} // namespace zelvo
