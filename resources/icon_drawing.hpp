#pragma once

// The icon drawn in zelvo_icon.xpm as a black-and-white bitmap, for the
// build-time tools that write it as .ico and .png, so that none can drift
// from the drawing. Plain C++ on purpose: a tool linked to Qt would need
// Qt's DLLs on PATH to run during a Windows build.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "zelvo_icon.xpm"

namespace zelvo::icon {

constexpr int kDrawnSize = 32;

// A square black-and-white picture; row 0 is the top.
class Ink {
public:
    explicit Ink(int size) : side(size), black(static_cast<std::size_t>(size) * size) {}
    int size() const { return side; }
    bool at(int x, int y) const { return black[static_cast<std::size_t>(y) * side + x]; }
    void set(int x, int y, bool isBlack) { black[static_cast<std::size_t>(y) * side + x] = isBlack; }

private:
    int side;
    std::vector<bool> black;
};

// Only pure black and white fit in one bit: any other colour is refused.
inline Ink readDrawing()
{
    if (std::string_view(zelvo_xpm[0]) != "32 32 2 1")
        throw std::runtime_error("the icon must be 32x32, 2 colours, 1 character per pixel");
    char blackKey = 0;
    char whiteKey = 0;
    for (int i = 1; i <= 2; ++i) {
        const std::string_view line = zelvo_xpm[i];
        if (line.size() == 11 && line.substr(1) == " c #000000")
            blackKey = line[0];
        else if (line.size() == 11 && (line.substr(1) == " c #FFFFFF" || line.substr(1) == " c #ffffff"))
            whiteKey = line[0];
        else
            throw std::runtime_error("the icon may only use black and white: " + std::string(line));
    }
    if (!blackKey || !whiteKey)
        throw std::runtime_error("the icon needs exactly one black and one white entry");

    Ink ink(kDrawnSize);
    for (int y = 0; y < kDrawnSize; ++y) {
        const std::string_view row = zelvo_xpm[3 + y];
        if (row.size() != kDrawnSize || row.find_first_not_of(std::string{blackKey, whiteKey}) != std::string_view::npos)
            throw std::runtime_error("row " + std::to_string(y) + " is not 32 pixels of the two colours");
        for (int x = 0; x < kDrawnSize; ++x)
            ink.set(x, y, row[x] == blackKey);
    }
    return ink;
}

// Whole pixels only, so the two colours stay the only ones: target pixel
// (x, y) takes the source pixel its top-left corner falls in.
inline Ink scaled(const Ink& source, int size)
{
    Ink out(size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            out.set(x, y, source.at(x * source.size() / size, y * source.size() / size));
    return out;
}

} // namespace zelvo::icon
