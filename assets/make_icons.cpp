// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Writes the calculator icon in every form a build needs, all from the one
// 32 x 32 picture (vesk.xpm): enlarged pixel for pixel, so that the pixel art
// stays crisp, and below its own size averaged. It runs on the machine that
// builds, whatever the build is for.
//   make_icons --theme DIR NAME   DIR/hicolor/<size>x<size>/apps/NAME.png
//   make_icons --ico FILE         a Windows .ico of every size
//   make_icons --web DIR          DIR/icon-192.png and DIR/icon-512.png
//   make_icons --window HEADER    the window's sizes as ready pixels, a C++
//                                 header, so that the program does not read
//                                 and scale the picture at every start
#include "assets/little_endian.h"
#include "assets/vesk.xpm"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

// The sizes the icon comes in: for the window, the desktop's icon theme and
// the Windows executable. A window manager scales from the largest a window
// carries for anything bigger.
constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int kLargestForAWindow = 128;

// A square picture, a pixel as 0xAARRGGBB, row by row from the top.
struct Image {
    int side = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y * side + x)]; }
};

Image picture()
{
    int width = 0, height = 0, colours = 0, perPixel = 0;
    std::sscanf(vesk_xpm[0], "%d %d %d %d", &width, &height, &colours, &perPixel);
    if (width != height || perPixel != 1) {
        std::fprintf(stderr, "make_icons: the picture is not square, one character a pixel\n");
        std::exit(1);
    }
    std::map<char, std::uint32_t> palette;
    for (int i = 1; i <= colours; ++i) {
        const char* entry = vesk_xpm[i];
        const char* value = std::strstr(entry, " c ") + 3;
        palette[entry[0]] = std::strcmp(value, "None") == 0
                                ? 0
                                : 0xFF000000u | std::uint32_t(std::strtoul(value + 1, nullptr, 16));
    }
    Image image{width, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.push_back(palette.at(vesk_xpm[1 + colours + y][x]));
    return image;
}

// Each channel weighted by alpha, as averaging and the window system want it.
std::uint32_t premultiplied(std::uint32_t c)
{
    const std::uint32_t a = c >> 24;
    std::uint32_t out = a << 24;
    for (int shift : {16, 8, 0})
        out |= ((c >> shift & 0xFF) * a + 127) / 255 << shift;
    return out;
}

Image sized(int side)
{
    static const Image whole = picture();
    if (side == whole.side)
        return whole;
    Image out{side, {}};
    if (side > whole.side) {
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                out.pixels.push_back(whole.at(x * whole.side / side, y * whole.side / side));
        return out;
    }
    // Each pixel the average of the square of pixels it stands for.
    const int n = whole.side / side;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            std::array<std::uint32_t, 4> sum{}; // alpha, then the premultiplied colours
            for (int dy = 0; dy < n; ++dy)
                for (int dx = 0; dx < n; ++dx) {
                    const std::uint32_t c = premultiplied(whole.at(x * n + dx, y * n + dy));
                    for (int i = 0; i < 4; ++i)
                        sum[std::size_t(i)] += c >> (24 - 8 * i) & 0xFF;
                }
            const std::uint32_t a = (sum[0] + n * n / 2) / std::uint32_t(n * n);
            std::uint32_t c = a << 24;
            for (int i = 1; i < 4 && a > 0; ++i)
                c |= std::min<std::uint32_t>(255, (sum[std::size_t(i)] * 255 + a * n * n / 2) /
                                                      (a * n * n))
                     << (24 - 8 * i);
            out.pixels.push_back(c);
        }
    return out;
}

void putBig32(std::string& out, std::uint32_t v)
{
    for (int shift : {24, 16, 8, 0})
        out.push_back(char(v >> shift & 0xFF));
}

void chunk(std::string& png, const char* type, const std::string& data)
{
    putBig32(png, std::uint32_t(data.size()));
    const std::string body = type + data;
    png += body;
    putBig32(png, std::uint32_t(
                      crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}

std::string png(const Image& image)
{
    std::string rows;
    for (int y = 0; y < image.side; ++y) {
        rows.push_back(
            char(y == 0 ? 0 : 2)); // each row but the first as its change from the one above
        for (int x = 0; x < image.side; ++x)
            for (int shift : {16, 8, 0, 24}) {
                const int here = image.at(x, y) >> shift & 0xFF;
                const int above = y == 0 ? 0 : image.at(x, y - 1) >> shift & 0xFF;
                rows.push_back(char((here - above) & 0xFF));
            }
    }
    uLongf size = compressBound(uLong(rows.size()));
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                  reinterpret_cast<const Bytef*>(rows.data()), uLong(rows.size()), 9) != Z_OK) {
        std::fprintf(stderr, "make_icons: could not compress\n");
        std::exit(1);
    }
    packed.resize(size);
    std::string header;
    putBig32(header, std::uint32_t(image.side));
    putBig32(header, std::uint32_t(image.side));
    header += std::string("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, no interlace
    std::string out = "\x89PNG\r\n\x1a\n";
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", "");
    return out;
}

// The standard 16-colour palette, in its usual order, which the picture keeps to.
constexpr std::uint32_t kPalette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                        0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// The picture as an .ico's bitmap entry: 4 bits a pixel in the standard
// palette, rows from the bottom up, then the 1-bit mask of what is
// transparent.
std::string bitmap16(const Image& image)
{
    const int w = image.side, h = image.side;
    std::string out, mask;
    put32(out, 40); // BITMAPINFOHEADER
    put32(out, w);
    put32(out, 2 * h); // the colours, then the mask
    put16(out, 1);
    put16(out, 4);
    put32(out, 0); // uncompressed
    put32(out, (w / 2 + w / 8) * h);
    for (int i = 0; i < 4; ++i)
        put32(out, i == 2 ? 16 : 0); // resolution, colours used (16), important
    for (std::uint32_t c : kPalette)
        put32(out, c); // blue, green, red, 0
    const auto opaque = [&](int x, int y) { return image.at(x, y) >> 24 == 0xFF; };
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; x += 2) {
            int pair = 0;
            for (int half = 0; half < 2; ++half) {
                const std::uint32_t c = image.at(x + half, y) & 0xFFFFFF;
                const auto* found = std::find(std::begin(kPalette), std::end(kPalette), c);
                if (opaque(x + half, y) && found == std::end(kPalette)) {
                    std::fprintf(stderr, "make_icons: a colour outside the 16 of the palette\n");
                    std::exit(1);
                }
                pair = pair << 4 | (opaque(x + half, y) ? int(found - kPalette) : 0);
            }
            out.push_back(char(pair));
        }
        for (int x = 0; x < w; x += 8) {
            int bits = 0;
            for (int i = 0; i < 8; ++i)
                bits = bits << 1 | (opaque(x + i, y) ? 0 : 1);
            mask.push_back(char(bits));
        }
    }
    return out + mask;
}

// An .ico with the picture's own 16-colour bitmap at its own size, and every
// other size as PNG, as Windows has read them since Vista.
std::string ico()
{
    const int own = picture().side;
    std::vector<std::string> images;
    for (int size : kSizes)
        images.push_back(size == own ? bitmap16(sized(size)) : png(sized(size)));
    std::string out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, std::size(kSizes));
    std::size_t offset = 6 + 16 * std::size(kSizes);
    for (std::size_t i = 0; i < std::size(kSizes); ++i) {
        const int size = kSizes[i];
        const bool bitmap = size == own;
        out.push_back(char(size >= 256 ? 0 : size)); // 0 stands for 256
        out.push_back(char(size >= 256 ? 0 : size));
        out.push_back(char(bitmap ? 16 : 0)); // colours in the palette
        out.push_back(0);
        put16(out, 1);               // colour planes
        put16(out, bitmap ? 4 : 32); // bits per pixel
        put32(out, images[i].size());
        put32(out, offset);
        offset += images[i].size();
    }
    for (const std::string& image : images)
        out += image;
    return out;
}

std::string windowHeader()
{
    std::string out = "// Written by make_icons from the calculator picture.\n#pragma once\n\n"
                      "#include <cstdint>\n\nnamespace vesk::window_icon {\n\n";
    std::string sizes;
    char number[16];
    for (int side : kSizes) {
        if (side > kLargestForAWindow)
            continue;
        const Image image = sized(side);
        out += "inline constexpr std::uint32_t k" + std::to_string(side) + "[] = {";
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            std::snprintf(number, sizeof number, "0x%08x,", premultiplied(image.pixels[i]));
            out += (i % 8 == 0 ? "\n    " : " ") + std::string(number);
        }
        out += "\n};\n\n";
        sizes += "    {" + std::to_string(side) + ", k" + std::to_string(side) + "},\n";
    }
    return out + "struct Size {\n    int side;\n    const std::uint32_t* pixels;\n};\n\n" +
           "inline constexpr Size kSizes[] = {\n" + sizes + "};\n\n" +
           "} // namespace vesk::window_icon\n";
}

void write(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    if (!out.write(bytes.data(), std::streamsize(bytes.size())) || !out.flush()) {
        std::fprintf(stderr, "make_icons: could not write %s\n", path.c_str());
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "--theme" && argc == 4) {
        for (int size : kSizes)
            write(std::filesystem::path(argv[2]) / "hicolor" /
                      (std::to_string(size) + 'x' + std::to_string(size)) / "apps" /
                      (std::string(argv[3]) + ".png"),
                  png(sized(size)));
    } else if (what == "--ico" && argc == 3) {
        write(argv[2], ico());
    } else if (what == "--web" && argc == 3) {
        for (int size : {192, 512})
            write(std::filesystem::path(argv[2]) / ("icon-" + std::to_string(size) + ".png"),
                  png(sized(size)));
    } else if (what == "--window" && argc == 3) {
        write(argv[2], windowHeader());
    } else {
        std::fprintf(stderr, "usage: make_icons --theme DIR NAME | --ico FILE | --web DIR | "
                             "--window HEADER\n");
        return 2;
    }
    return 0;
}
