#include "win32/fonts.hpp"

#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

namespace zelvo::win32 {

namespace {

long aliveCount = 0;
long madeCount = 0;

} // namespace

Font::Font(const LOGFONTW& logical)
    : font(CreateFontIndirectW(&logical))
{
    if (font) {
        ++aliveCount;
        ++madeCount;
    }
}

Font::Font(Font&& other) noexcept
    : font(std::exchange(other.font, nullptr))
{
}

Font& Font::operator=(Font&& other) noexcept
{
    if (this != &other) {
        Font gone(std::move(*this));
        font = std::exchange(other.font, nullptr);
    }
    return *this;
}

Font::~Font()
{
    if (font) {
        DeleteObject(font);
        --aliveCount;
    }
}

long Font::alive() { return aliveCount; }
long Font::made() { return madeCount; }

std::shared_ptr<const Font> sharedFont(const wchar_t* family, double points, bool bold, UINT dpi)
{
    // Sizes that come out the same number of pixels are the same font.
    const int height = -static_cast<int>(std::lround(points * dpi / 72.0));
    const LONG weight = bold ? FW_BOLD : FW_NORMAL;
    using Key = std::tuple<std::wstring, int, LONG>;
    static std::map<Key, std::weak_ptr<const Font>> made;
    std::erase_if(made, [](const auto& entry) { return entry.second.expired(); });

    const Key key{family, height, weight};
    if (auto found = made[key].lock())
        return found;
    LOGFONTW logical{};
    logical.lfHeight = height;
    logical.lfWeight = weight;
    logical.lfCharSet = SHIFTJIS_CHARSET;
    logical.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logical.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logical.lfQuality = DEFAULT_QUALITY;
    logical.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(logical.lfFaceName, family, LF_FACESIZE);
    auto font = std::make_shared<const Font>(logical);
    if (!*font)
        throw std::runtime_error("could not create a font");
    made[key] = font;
    return font;
}

} // namespace zelvo::win32
