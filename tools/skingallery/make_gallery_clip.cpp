// make_gallery_clip <out.avi>: the clip the gallery's animation control plays, drawn at build
// time: a ball going round on a background of the key colour (the clip's top-left pixel), so
// that a transparent control shows the skin around it.
#include "tests/support/avi_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kFrames = 16;
constexpr std::uint32_t kKey = 0xFF00FF;

std::uint32_t Blend(std::uint32_t a, std::uint32_t b, double t) {
    auto channel = [&](int shift) {
        const double x = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
        return static_cast<std::uint32_t>(std::lround(x)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

std::vector<std::uint32_t> Frame(int n) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kWidth) * kHeight, kKey);
    const double angle = 2 * 3.14159265358979 * n / kFrames;
    const double cx = kWidth / 2.0 + 18 * std::cos(angle);
    const double cy = kHeight / 2.0 + 13 * std::sin(angle);
    const double radius = 9;
    // The ball's colour turns from amber to teal and back over the loop.
    const std::uint32_t colour = Blend(0xF0A020, 0x20B0C0, (1 - std::cos(angle)) / 2);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d > radius)
                continue;
            // Lit from the top left: lighter towards there, darker at the rim.
            const double light = std::clamp(0.5 - (dx + dy) / (4 * radius), 0.0, 1.0);
            std::uint32_t shade = Blend(colour, 0xFFFFFF, light * 0.6);
            if (d > radius - 1.2)
                shade = Blend(colour, 0x000000, 0.45);
            pixels[static_cast<std::size_t>(y) * kWidth + x] = shade == kKey ? kKey - 1 : shade;
        }
    return pixels;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_gallery_clip <out.avi>\n");
        return 2;
    }
    lvtest::AviSpec spec;
    spec.picture.width = kWidth;
    spec.picture.height = kHeight;
    spec.picture.bitCount = 24;
    spec.rate = 12;
    spec.scale = 1;
    for (int n = 0; n < kFrames; ++n)
        spec.frames.push_back(Frame(n));
    const std::vector<std::uint8_t> bytes = lvtest::WriteAvi(spec);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    return out ? 0 : 1;
}
