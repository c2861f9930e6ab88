#pragma once

// The program's texts are UTF-8; Windows' wide functions take UTF-16.

#include <windows.h>

#include <string>
#include <string_view>

namespace zelvo::win32 {

std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view utf16);

// A window's or a control's text, whole.
std::wstring windowText(HWND window);

} // namespace zelvo::win32
