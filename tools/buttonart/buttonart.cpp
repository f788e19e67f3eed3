// buttonart <out.bmp> <width> <height> <rrggbb> [<look> [<label>]]
// Writes a 24-bit BMP of a button face in one colour. Looks: "face" (the default: lighter at
// the top, darker at the bottom, a one-pixel border of the darkest shade), "hover" (the same,
// lighter), "pressed" (darker at the top, as if pushed in), "flat" (the colour alone, for test
// fixtures that compare pixels).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::uint8_t shade(int channel, int percent) {
    const int value = percent >= 100 ? channel + (255 - channel) * (percent - 100) / 100
                                     : channel * percent / 100;
    return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5 || argc > 7) {
        std::fprintf(stderr,
                     "usage: buttonart <out.bmp> <width> <height> <rrggbb> [<look> [<label>]]\n");
        return 2;
    }
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    const unsigned long rgb = std::strtoul(argv[4], nullptr, 16);
    const std::string look = argc >= 6 ? argv[5] : "face";
    if (look != "face" && look != "hover" && look != "pressed" && look != "flat") {
        std::fprintf(stderr, "buttonart: unknown look %s\n", look.c_str());
        return 2;
    }
    const bool flat = look == "flat";
    // Top and bottom shades in percent of the colour (above 100 mixes toward white).
    const int top = look == "pressed" ? 80 : look == "hover" ? 140 : 125;
    const int bottom = look == "pressed" ? 115 : look == "hover" ? 95 : 80;
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
        std::fprintf(stderr, "buttonart: bad size %s x %s\n", argv[2], argv[3]);
        return 2;
    }
    const int red = static_cast<int>((rgb >> 16) & 0xFF);
    const int green = static_cast<int>((rgb >> 8) & 0xFF);
    const int blue = static_cast<int>(rgb & 0xFF);
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    std::vector<std::uint8_t> bmp{'B', 'M'};
    put32(bmp, 54 + stride * static_cast<std::uint32_t>(height));
    put32(bmp, 0);
    put32(bmp, 54);
    put32(bmp, 40);
    put32(bmp, static_cast<std::uint32_t>(width));
    put32(bmp, static_cast<std::uint32_t>(height));
    put16(bmp, 1);
    put16(bmp, 24);
    for (int i = 0; i < 6; ++i)
        put32(bmp, 0);
    for (int row = 0; row < height; ++row) { // bottom-up
        const int y = height - 1 - row;
        const int percent = flat ? 100 : top + (bottom - top) * y / (height > 1 ? height - 1 : 1);
        for (int x = 0; x < width; ++x) {
            const bool border = !flat && (x == 0 || y == 0 || x == width - 1 || y == height - 1);
            const int p = border ? 60 : percent;
            bmp.push_back(shade(blue, p));
            bmp.push_back(shade(green, p));
            bmp.push_back(shade(red, p));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < stride; ++pad)
            bmp.push_back(0);
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    if (!out) {
        std::fprintf(stderr, "buttonart: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
