// Build-time tool: writes the icon drawn in zelvo_icon.xpm as a 1-bit .ico
// (icon group 1 of the Windows executable, 32x32 as drawn) and as 1-bit .png
// files at the sizes the Linux icon theme asks for, so that none can drift
// from the drawing.
//
// Plain C++ on purpose: a helper linked to Qt would need Qt's DLLs on PATH
// to run during a Windows build.
//
// Usage: zelvo_icon_export OUT.ico [SIZE OUT.png]...

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "zelvo_icon.xpm"

namespace {

constexpr int kSize = 32;

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

Ink readDrawing()
{
    if (std::string_view(zelvo_xpm[0]) != "32 32 2 1")
        throw std::runtime_error("the icon must be 32x32, 2 colours, 1 character per pixel");

    // Each colour line is "<char> c #RRGGBB"; only pure black and white fit in 1 bit.
    char blackKey = 0;
    char whiteKey = 0;
    for (int i = 1; i <= 2; ++i) {
        const std::string_view line = zelvo_xpm[i];
        if (line.size() != 11 || line.substr(1, 4) != " c #")
            throw std::runtime_error("unreadable colour line: " + std::string(line));
        std::string rgb(line.substr(5));
        for (char &c : rgb)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (rgb == "000000")
            blackKey = line[0];
        else if (rgb == "FFFFFF")
            whiteKey = line[0];
        else
            throw std::runtime_error("the icon may only use black and white: " + std::string(line));
    }
    if (!blackKey || !whiteKey)
        throw std::runtime_error("the icon needs exactly one black and one white entry");

    Ink ink(kSize);
    for (int y = 0; y < kSize; ++y) {
        const std::string_view row = zelvo_xpm[3 + y];
        if (row.size() != kSize)
            throw std::runtime_error("row " + std::to_string(y) + " is not 32 pixels wide");
        for (int x = 0; x < kSize; ++x) {
            if (row[x] != blackKey && row[x] != whiteKey)
                throw std::runtime_error("row " + std::to_string(y) + " uses an undeclared colour");
            ink.set(x, y, row[x] == blackKey);
        }
    }
    return ink;
}

// Whole pixels only, so the two colours stay the only ones: target pixel
// (x, y) takes the source pixel its top-left corner falls in.
Ink scaled(const Ink &source, int size)
{
    Ink out(size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            out.set(x, y, source.at(x * source.size() / size, y * source.size() / size));
    return out;
}

class Bytes {
public:
    void u8(unsigned v) { data.push_back(static_cast<std::uint8_t>(v)); }
    void le16(unsigned v) { u8(v & 0xFF); u8(v >> 8); }
    void le32(std::uint32_t v) { le16(v & 0xFFFF); le16(v >> 16); }
    void be32(std::uint32_t v) { u8(v >> 24); u8((v >> 16) & 0xFF); u8((v >> 8) & 0xFF); u8(v & 0xFF); }
    void append(const std::vector<std::uint8_t> &more) { data.insert(data.end(), more.begin(), more.end()); }
    void append(std::string_view text) { data.insert(data.end(), text.begin(), text.end()); }
    std::vector<std::uint8_t> data;
};

// Packs row y leftmost pixel first into the high bit, the last byte padded
// with zero bits. Both formats give index 1 to white, so white pixels carry
// the set bits.
void packRow(Bytes &out, const Ink &ink, int y)
{
    for (int first = 0; first < ink.size(); first += 8) {
        unsigned bits = 0;
        for (int bit = 0; bit < 8 && first + bit < ink.size(); ++bit)
            if (!ink.at(first + bit, y))
                bits |= 0x80u >> bit;
        out.u8(bits);
    }
}

// Windows gets the drawing itself, 32x32. A 32-pixel row is already a whole
// number of DWORDs, so DIB rows need no padding.
std::vector<std::uint8_t> ico(const Ink &ink)
{
    if (ink.size() != kSize)
        throw std::logic_error("the .ico holds the 32x32 drawing only");
    constexpr std::uint32_t kRowBytes = kSize / 8;
    constexpr std::uint32_t kPaletteBytes = 2 * 4;
    constexpr std::uint32_t kMaskBytes = kSize * kRowBytes;
    constexpr std::uint32_t kImageBytes = 40 + kPaletteBytes + 2 * kMaskBytes;

    Bytes out;
    // ICONDIR with one ICONDIRENTRY.
    out.le16(0);
    out.le16(1);
    out.le16(1);
    out.u8(kSize);
    out.u8(kSize);
    out.u8(2); // colours in the palette
    out.u8(0);
    out.le16(1); // planes
    out.le16(1); // bits per pixel
    out.le32(kImageBytes);
    out.le32(6 + 16);

    // BITMAPINFOHEADER; the height counts the colour bitmap and the AND mask.
    out.le32(40);
    out.le32(kSize);
    out.le32(2 * kSize);
    out.le16(1);
    out.le16(1);
    out.le32(0); // BI_RGB
    out.le32(2 * kMaskBytes);
    out.le32(0);
    out.le32(0);
    out.le32(2);
    out.le32(0);

    // Palette as BGRx: index 0 black, index 1 white, as Windows expects of monochrome.
    out.le32(0x00000000);
    out.le32(0x00FFFFFF);

    // DIB rows run bottom-up.
    for (int y = kSize - 1; y >= 0; --y)
        packRow(out, ink, y);
    // AND mask all clear: every pixel is opaque, the white included.
    for (std::uint32_t i = 0; i < kMaskBytes; ++i)
        out.u8(0);
    return out.data;
}

std::uint32_t crc32(const std::vector<std::uint8_t> &bytes, std::size_t from)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void pngChunk(Bytes &out, std::string_view type, const std::vector<std::uint8_t> &payload)
{
    out.be32(static_cast<std::uint32_t>(payload.size()));
    Bytes typed;
    typed.append(type);
    typed.append(payload);
    out.append(typed.data);
    out.be32(crc32(typed.data, 0));
}

// Grey 1-bit PNG (0 black, 1 white). The pixel data is small (8 KiB at
// 256x256), so the zlib stream holds stored blocks and needs no compressor.
std::vector<std::uint8_t> png(const Ink &ink)
{
    Bytes raw;
    for (int y = 0; y < ink.size(); ++y) {
        raw.u8(0); // filter: none
        packRow(raw, ink, y);
    }

    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t v : raw.data) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    Bytes zlib;
    zlib.u8(0x78);
    zlib.u8(0x01);
    // A stored block holds at most 65535 bytes.
    std::size_t done = 0;
    do {
        const auto length = static_cast<unsigned>(std::min<std::size_t>(raw.data.size() - done, 0xFFFF));
        const bool last = done + length == raw.data.size();
        zlib.u8(last ? 0x01 : 0x00); // stored, final or not
        zlib.le16(length);
        zlib.le16(~length & 0xFFFF);
        zlib.data.insert(zlib.data.end(), raw.data.begin() + static_cast<std::ptrdiff_t>(done),
                         raw.data.begin() + static_cast<std::ptrdiff_t>(done + length));
        done += length;
    } while (done < raw.data.size());
    zlib.be32((b << 16) | a);

    Bytes header;
    header.be32(static_cast<std::uint32_t>(ink.size()));
    header.be32(static_cast<std::uint32_t>(ink.size()));
    header.u8(1); // bit depth
    header.u8(0); // greyscale
    header.u8(0);
    header.u8(0);
    header.u8(0);

    Bytes out;
    out.append(std::string_view("\x89PNG\r\n\x1a\n", 8));
    pngChunk(out, "IHDR", header.data);
    pngChunk(out, "IDAT", zlib.data);
    pngChunk(out, "IEND", {});
    return out.data;
}

void write(const char *path, const std::vector<std::uint8_t> &bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush())
        throw std::runtime_error(std::string("cannot write ") + path);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || argc % 2 != 0) {
        std::cerr << "usage: zelvo_icon_export OUT.ico [SIZE OUT.png]...\n";
        return 2;
    }
    try {
        const Ink ink = readDrawing();
        write(argv[1], ico(ink));
        for (int i = 2; i < argc; i += 2) {
            const std::string size = argv[i];
            if (size.empty() || size.size() > 4 || size.find_first_not_of("0123456789") != std::string::npos
                || std::stoi(size) < 1)
                throw std::runtime_error("not a size in pixels: " + size);
            write(argv[i + 1], png(scaled(ink, std::stoi(size))));
        }
    } catch (const std::exception &e) {
        std::cerr << "zelvo_icon_export: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
