#include "tools/samplegen/pictures.h"

#include "tools/artkit/landscape.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace samplegen {

void RgbImage::set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x)) *
                    3;
    rgb[i] = r;
    rgb[i + 1] = g;
    rgb[i + 2] = b;
}

RgbImage DrawSampleLandscape(int width, int height, int variant) {
    const Canvas canvas = DrawLandscape(width, height, SampleLandscapePalette(variant), variant);
    RgbImage img{width, height,
                 std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = canvas.Pixel(x, y);
            img.set(x, y, GetRValue(c), GetGValue(c), GetBValue(c));
        }
    }
    return img;
}

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

// A light mat with a thin dark line near the picture and one near the outer edge.
Rgb LinenAt(int edge, int piece) {
    const double shade = 0.92 - 0.1 * std::sin(edge * 0.35);
    if (edge == piece - 4 || edge == 2)
        return {70, 62, 56};
    return {static_cast<std::uint8_t>(236 * shade), static_cast<std::uint8_t>(228 * shade),
            static_cast<std::uint8_t>(214 * shade)};
}

// Dark wood whose grain runs along the frame, lit on its outer bevel.
Rgb WalnutAt(int x, int y, int edge, int size) {
    const int along = std::min(x, y) == edge ? x + y : size - x + size - y;
    const double grain = 0.85 + 0.15 * std::sin(along * 0.9 + edge * 2.1);
    if (edge < 3)
        return {190, 150, 110};
    return {static_cast<std::uint8_t>(104 * grain), static_cast<std::uint8_t>(66 * grain),
            static_cast<std::uint8_t>(40 * grain)};
}

// L-shaped brass corners, clear between them.
std::optional<Rgb> BrassAt(int x, int y, int piece, int size) {
    const int cx = std::min(x, size - 1 - x), cy = std::min(y, size - 1 - y);
    const bool corner = cx < piece && cy < piece && (cx < piece / 3 || cy < piece / 3);
    if (!corner)
        return std::nullopt;
    const double shine = 0.8 + 0.2 * std::cos((cx + cy) * 0.4);
    return Rgb{static_cast<std::uint8_t>(220 * shine), static_cast<std::uint8_t>(178 * shine),
               static_cast<std::uint8_t>(72 * shine)};
}

} // namespace

RgbImage DrawFrame(int piece, FrameLook look) {
    int size = piece * 3;
    RgbImage img{size, size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * 3)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            bool inside = x >= piece && x < 2 * piece && y >= piece && y < 2 * piece;
            const int edge = std::min({x, y, size - 1 - x, size - 1 - y});
            std::optional<Rgb> c;
            if (!inside) {
                switch (look) {
                case FrameLook::linen:
                    c = LinenAt(edge, piece);
                    break;
                case FrameLook::walnut:
                    c = WalnutAt(x, y, edge, size);
                    break;
                case FrameLook::brass:
                    c = BrassAt(x, y, piece, size);
                    break;
                }
            }
            if (!c)
                c = Rgb{255, 0, 255};
            img.set(x, y, c->r, c->g, c->b);
        }
    }
    return img;
}

std::vector<std::uint8_t> MakeWaveTrack(int seconds, int sampleRate) {
    const std::uint32_t frames = static_cast<std::uint32_t>(seconds * sampleRate);
    const std::uint32_t dataBytes = frames * 2;
    std::vector<std::uint8_t> out;
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    u32(36 + dataBytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(static_cast<std::uint32_t>(sampleRate));
    u32(static_cast<std::uint32_t>(sampleRate) * 2);
    u16(2);
    u16(16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    u32(dataBytes);
    // A slow arpeggio over four chords; each note fades out softly.
    const double chords[4][3] = {
        {261.6, 329.6, 392.0}, {220.0, 261.6, 329.6}, {174.6, 220.0, 261.6}, {196.0, 246.9, 293.7}};
    const double noteSeconds = 0.5;
    for (std::uint32_t i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / sampleRate;
        int note = static_cast<int>(t / noteSeconds);
        double local = t - note * noteSeconds;
        const double* chord = chords[(note / 6) % 4];
        double f = chord[note % 3] * ((note % 6) >= 3 ? 2.0 : 1.0);
        double env = std::exp(-local * 3.0) * std::min(1.0, local * 200.0);
        double s = std::sin(2 * M_PI * f * t) * 0.6 + std::sin(4 * M_PI * f * t) * 0.15;
        double fade = std::min(1.0, (static_cast<double>(frames - i) / sampleRate) / 2.0);
        u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(s * env * fade * 9000.0)));
    }
    return out;
}

} // namespace samplegen
