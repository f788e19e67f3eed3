#include "tools/samplegen/pictures.h"

#include <algorithm>
#include <cmath>

namespace samplegen {

void RgbImage::set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
    rgb[i] = r;
    rgb[i + 1] = g;
    rgb[i + 2] = b;
}

namespace {

struct Color {
    double r, g, b;
};

Color Mix(Color a, Color b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

struct Palette {
    Color skyTop, skyHorizon, sun, hillFar, hillNear, water;
};

const Palette kPalettes[] = {
    {{40, 70, 130}, {250, 190, 140}, {255, 236, 190}, {110, 100, 140}, {50, 60, 90}, {60, 80, 120}},   // dusk
    {{90, 150, 220}, {210, 230, 245}, {255, 255, 235}, {120, 160, 130}, {60, 110, 80}, {70, 130, 160}}, // morning
    {{20, 20, 60}, {120, 70, 120}, {250, 220, 230}, {70, 50, 90}, {30, 25, 50}, {40, 35, 70}},         // night
    {{160, 200, 230}, {250, 240, 220}, {255, 250, 240}, {180, 170, 150}, {120, 110, 90}, {150, 170, 180}}, // haze
    {{250, 150, 90}, {255, 220, 150}, {255, 250, 220}, {190, 110, 90}, {110, 60, 60}, {200, 120, 90}},  // sunset
};

double Ridge(double x, int variant, double scale, double phase) {
    return std::sin(x * 3.1 * scale + phase + variant) * 0.04 + std::sin(x * 7.3 * scale + phase * 2) * 0.02 +
           std::sin(x * 17.0 * scale + variant * 0.7) * 0.008;
}

} // namespace

RgbImage DrawLandscape(int width, int height, int variant) {
    const Palette& p = kPalettes[static_cast<std::size_t>(variant) % std::size(kPalettes)];
    RgbImage img{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    const double horizon = 0.62;
    const double sunX = 0.3 + 0.1 * variant, sunY = 0.42, sunR = 0.06;
    for (int y = 0; y < height; ++y) {
        double v = static_cast<double>(y) / height;
        for (int x = 0; x < width; ++x) {
            double u = static_cast<double>(x) / width;
            double aspect = static_cast<double>(width) / height;
            Color c;
            double far = horizon - 0.08 + Ridge(u, variant, 1.0, 0.5);
            double near = horizon - 0.02 + Ridge(u, variant, 1.7, 2.0);
            if (v < horizon) {
                c = Mix(p.skyTop, p.skyHorizon, v / horizon);
                double dx = (u - sunX) * aspect, dy = v - sunY;
                double d = std::sqrt(dx * dx + dy * dy);
                c = Mix(c, p.sun, d < sunR ? 1.0 : std::exp(-(d - sunR) * 12.0) * 0.5);
                if (v > far)
                    c = Mix(p.hillFar, p.skyHorizon, 0.25);
                if (v > near)
                    c = p.hillNear;
            } else {
                double mirror = 2 * horizon - v;
                Color sky = Mix(p.skyTop, p.skyHorizon, mirror / horizon);
                c = Mix(p.water, sky, 0.35 + 0.1 * std::sin(v * 300.0 + u * 20.0));
                double dx = (u - sunX) * aspect;
                if (std::fabs(dx) < sunR * (1.0 + (v - horizon) * 2))
                    c = Mix(c, p.sun, 0.35 * std::fabs(std::sin(v * 180.0)));
            }
            // A little grain so that the pictures look photographed.
            std::uint32_t hash = (static_cast<std::uint32_t>(x) * 73856093u) ^ (static_cast<std::uint32_t>(y) * 19349663u) ^
                                 (static_cast<std::uint32_t>(variant) * 83492791u);
            double grain = static_cast<double>(hash % 7) - 3.0;
            img.set(x, y, static_cast<std::uint8_t>(std::clamp(c.r + grain, 0.0, 255.0)),
                    static_cast<std::uint8_t>(std::clamp(c.g + grain, 0.0, 255.0)),
                    static_cast<std::uint8_t>(std::clamp(c.b + grain, 0.0, 255.0)));
        }
    }
    return img;
}

RgbImage DrawFrame(int piece) {
    int size = piece * 3;
    RgbImage img{size, size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * 3)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            bool inside = x >= piece && x < 2 * piece && y >= piece && y < 2 * piece;
            if (inside) {
                img.set(x, y, 255, 0, 255);
                continue;
            }
            // Distance to the outer edge: a light mat with a thin dark line near the picture.
            int edge = std::min({x, y, size - 1 - x, size - 1 - y});
            double shade = 0.92 - 0.1 * std::sin(edge * 0.35);
            bool line = edge == piece - 4 || edge == 2;
            std::uint8_t r = line ? 70 : static_cast<std::uint8_t>(236 * shade);
            std::uint8_t g = line ? 62 : static_cast<std::uint8_t>(228 * shade);
            std::uint8_t b = line ? 56 : static_cast<std::uint8_t>(214 * shade);
            img.set(x, y, r, g, b);
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
    const double chords[4][3] = {{261.6, 329.6, 392.0}, {220.0, 261.6, 329.6}, {174.6, 220.0, 261.6}, {196.0, 246.9, 293.7}};
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
