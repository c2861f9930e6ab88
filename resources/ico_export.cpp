// Build-time tool: writes the drawing as the 1-bit .ico that becomes icon
// group 1 of the Windows executable, 32x32 as drawn. The format is a header
// and the rows of bits; no library the build has at hand writes an icon of
// one bit per pixel (Qt's writer makes 32-bit ones).
//
// Usage: zelvo_ico_export OUT.ico

#include "icon_drawing.hpp"

#include <cstdint>
#include <fstream>
#include <iostream>

namespace {

using zelvo::icon::kDrawnSize;

class Bytes {
public:
    void u8(unsigned v) { data.push_back(static_cast<char>(v & 0xFF)); }
    void le16(unsigned v) { u8(v); u8(v >> 8); }
    void le32(std::uint32_t v) { le16(v & 0xFFFF); le16(v >> 16); }
    std::string data;
};

std::string ico(const zelvo::icon::Ink& ink)
{
    constexpr std::uint32_t kRowBytes = kDrawnSize / 8; // a whole number of DWORDs: no padding
    constexpr std::uint32_t kMaskBytes = kDrawnSize * kRowBytes;
    constexpr std::uint32_t kImageBytes = 40 + 2 * 4 + 2 * kMaskBytes;

    Bytes out;
    for (unsigned field : {0, 1, 1}) // ICONDIR: reserved, type icon, one image
        out.le16(field);
    // ICONDIRENTRY: size, 2 palette colours, 1 plane, 1 bit per pixel, where the image lies.
    for (unsigned byte : {kDrawnSize, kDrawnSize, 2, 0})
        out.u8(byte);
    out.le16(1);
    out.le16(1);
    out.le32(kImageBytes);
    out.le32(6 + 16);

    // BITMAPINFOHEADER; the height counts the colour bitmap and the AND mask.
    for (std::uint32_t field : {40u, std::uint32_t(kDrawnSize), std::uint32_t(2 * kDrawnSize)})
        out.le32(field);
    out.le16(1);
    out.le16(1);
    for (std::uint32_t field : {0u, 2 * kMaskBytes, 0u, 0u, 2u, 0u}) // BI_RGB, sizes, 2 colours used
        out.le32(field);
    // Palette as BGRx: index 0 black, index 1 white, as Windows expects of monochrome.
    out.le32(0x00000000);
    out.le32(0x00FFFFFF);

    // DIB rows run bottom-up, leftmost pixel in the high bit; white is index 1.
    for (int y = kDrawnSize - 1; y >= 0; --y)
        for (int first = 0; first < kDrawnSize; first += 8) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                bits |= ink.at(first + bit, y) ? 0 : 0x80u >> bit;
            out.u8(bits);
        }
    // AND mask all clear: every pixel is opaque, the white included.
    out.data.append(kMaskBytes, '\0');
    return out.data;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: zelvo_ico_export OUT.ico\n";
        return 2;
    }
    try {
        const std::string bytes = ico(zelvo::icon::readDrawing());
        std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
        if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush())
            throw std::runtime_error(std::string("cannot write ") + argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "zelvo_ico_export: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
