// Build-time tool: writes the drawing with libpng as 1-bit greyscale PNG
// files at the sizes the Linux icon theme asks for, each scaled from the
// 32x32 drawing by whole pixels.
//
// Usage: zelvo_png_export [SIZE OUT.png]...

#include "icon_drawing.hpp"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <iostream>

namespace {

// One byte per pixel, 0 black and 1 white; libpng packs them into bits.
std::vector<png_byte> pixelsOf(const zelvo::icon::Ink& ink)
{
    std::vector<png_byte> pixels;
    for (int y = 0; y < ink.size(); ++y)
        for (int x = 0; x < ink.size(); ++x)
            pixels.push_back(ink.at(x, y) ? 0 : 1);
    return pixels;
}

// libpng reports errors by longjmp: nothing here may need a destructor.
bool writePng(const char* path, int size, const png_byte* pixels)
{
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(size), static_cast<png_uint_32>(size), 1, PNG_COLOR_TYPE_GRAY,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        png_set_packing(png);
        for (int y = 0; y < size; ++y)
            png_write_row(png, pixels + static_cast<std::ptrdiff_t>(y) * size);
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc % 2 != 1) {
        std::cerr << "usage: zelvo_png_export [SIZE OUT.png]...\n";
        return 2;
    }
    try {
        const zelvo::icon::Ink drawing = zelvo::icon::readDrawing();
        for (int i = 1; i < argc; i += 2) {
            const std::string size = argv[i];
            if (size.empty() || size.size() > 4 || size.find_first_not_of("0123456789") != std::string::npos
                || std::stoi(size) < 1)
                throw std::runtime_error("not a size in pixels: " + size);
            const std::vector<png_byte> pixels = pixelsOf(zelvo::icon::scaled(drawing, std::stoi(size)));
            if (!writePng(argv[i + 1], std::stoi(size), pixels.data()))
                throw std::runtime_error(std::string("cannot write ") + argv[i + 1]);
        }
    } catch (const std::exception& e) {
        std::cerr << "zelvo_png_export: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
