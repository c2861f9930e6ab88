#pragma once

// What the program sets on the QApplication before its first window: name,
// version, icon, desktop entry and the Japanese default font. The program and
// its start-up benchmark share it, so they cannot drift apart.

namespace zelvo {

void setUpApplication();

} // namespace zelvo
