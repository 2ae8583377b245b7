#include "host/headless/HeadlessHost.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace tb::headless {

bool writePng(const std::string& path, const std::uint8_t* rgba, int width, int height) {
    if (!rgba || width <= 0 || height <= 0) return false;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (png && info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, f);
        png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<png_byte> row(std::size_t(width) * 3);
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* in = rgba + std::size_t(y) * width * 4;
            for (int x = 0; x < width; ++x) {
                row[std::size_t(x) * 3] = in[x * 4];
                row[std::size_t(x) * 3 + 1] = in[x * 4 + 1];
                row[std::size_t(x) * 3 + 2] = in[x * 4 + 2];
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    return std::fclose(f) == 0 && ok;
}

} // namespace tb::headless
