#pragma once

// The binding's fonts. Every font it makes is a Font, which deletes it and
// keeps count, so that a font left behind shows. The controls share one font
// for each face, size, weight and DPI.

#include <windows.h>

#include <memory>

namespace zelvo::win32 {

class Font {
public:
    // Null when Windows refuses to make it.
    explicit Font(const LOGFONTW& logical);
    Font(Font&& other) noexcept;
    Font& operator=(Font&& other) noexcept;
    ~Font();

    HFONT handle() const { return font; }
    explicit operator bool() const { return font != nullptr; }

    // The binding's fonts alive now, and made since the program started.
    static long alive();
    static long made();

private:
    HFONT font;
};

// The one font of that face, size in points, weight and DPI; made when first
// asked for, deleted when the last holder lets it go. Throws if it cannot be made.
std::shared_ptr<const Font> sharedFont(const wchar_t* family, double points, bool bold, UINT dpi);

} // namespace zelvo::win32
