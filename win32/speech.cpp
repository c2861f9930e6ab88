#include "win32/speech.hpp"

namespace zelvo::win32 {

void announce(HWND, std::string_view) {}

} // namespace zelvo::win32
