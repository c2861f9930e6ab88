#pragma once

// The program's texts are UTF-8; Windows' wide functions take UTF-16.

#include <string>
#include <string_view>

namespace zelvo::win32 {

std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view utf16);

} // namespace zelvo::win32
