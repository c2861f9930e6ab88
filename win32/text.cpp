#include "win32/text.hpp"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace zelvo::win32 {

namespace {

int checkedLength(std::size_t size)
{
    if (size > static_cast<std::size_t>(INT_MAX))
        throw std::length_error("text too long for Windows");
    return static_cast<int>(size);
}

} // namespace

std::wstring wide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    // Malformed UTF-8 becomes U+FFFD rather than failing the whole text.
    const int length = checkedLength(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, result.data(), needed);
    return result;
}

std::string utf8(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int length = checkedLength(utf16.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, result.data(), needed, nullptr, nullptr);
    return result;
}

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace zelvo::win32
