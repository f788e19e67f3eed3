#include "tools/artkit/landscape.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace {

struct Colour {
    double r, g, b;
};

Colour ColourOf(COLORREF c) {
    return {static_cast<double>(GetRValue(c)), static_cast<double>(GetGValue(c)),
            static_cast<double>(GetBValue(c))};
}

Colour Blend(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

const LandscapePalette kSamplePalettes[] = {
    {RGB(40, 70, 130), RGB(250, 190, 140), RGB(255, 236, 190), RGB(110, 100, 140), RGB(50, 60, 90),
     RGB(60, 80, 120)},
    {RGB(90, 150, 220), RGB(210, 230, 245), RGB(255, 255, 235), RGB(120, 160, 130),
     RGB(60, 110, 80), RGB(70, 130, 160)},
    {RGB(20, 20, 60), RGB(120, 70, 120), RGB(250, 220, 230), RGB(70, 50, 90), RGB(30, 25, 50),
     RGB(40, 35, 70)},
    {RGB(160, 200, 230), RGB(250, 240, 220), RGB(255, 250, 240), RGB(180, 170, 150),
     RGB(120, 110, 90), RGB(150, 170, 180)},
    {RGB(250, 150, 90), RGB(255, 220, 150), RGB(255, 250, 220), RGB(190, 110, 90), RGB(110, 60, 60),
     RGB(200, 120, 90)},
};

double Ridge(double x, int variant, double scale, double phase) {
    return std::sin(x * 3.1 * scale + phase + variant) * 0.04 +
           std::sin(x * 7.3 * scale + phase * 2) * 0.02 +
           std::sin(x * 17.0 * scale + variant * 0.7) * 0.008;
}

std::uint8_t Channel(double value, double grain) {
    return static_cast<std::uint8_t>(std::clamp(value + grain, 0.0, 255.0));
}

} // namespace

const LandscapePalette& SampleLandscapePalette(int variant) {
    return kSamplePalettes[static_cast<std::size_t>(variant) % std::size(kSamplePalettes)];
}

LandscapePalette LandscapePaletteFrom(COLORREF base) {
    constexpr COLORREF kWhite = RGB(255, 255, 255);
    constexpr COLORREF kBlack = RGB(0, 0, 0);
    constexpr COLORREF kWarmLight = RGB(255, 244, 214);
    return {Mix(base, kBlack, 25),
            Mix(base, kWhite, 70),
            kWarmLight,
            Mix(Mix(base, kWhite, 30), RGB(120, 120, 120), 40),
            Mix(base, kBlack, 55),
            Mix(base, kBlack, 15)};
}

Canvas DrawLandscape(int width, int height, const LandscapePalette& palette, int variant) {
    const Colour skyTop = ColourOf(palette.skyTop);
    const Colour skyHorizon = ColourOf(palette.skyHorizon);
    const Colour sun = ColourOf(palette.sun);
    const Colour hillFar = ColourOf(palette.hillFar);
    const Colour hillNear = ColourOf(palette.hillNear);
    const Colour water = ColourOf(palette.water);
    Canvas canvas(width, height);
    const double horizon = 0.62;
    const double sunX = 0.3 + 0.1 * variant, sunY = 0.42, sunR = 0.06;
    for (int y = 0; y < height; ++y) {
        double v = static_cast<double>(y) / height;
        for (int x = 0; x < width; ++x) {
            double u = static_cast<double>(x) / width;
            double aspect = static_cast<double>(width) / height;
            Colour c;
            double far = horizon - 0.08 + Ridge(u, variant, 1.0, 0.5);
            double near = horizon - 0.02 + Ridge(u, variant, 1.7, 2.0);
            if (v < horizon) {
                c = Blend(skyTop, skyHorizon, v / horizon);
                double dx = (u - sunX) * aspect, dy = v - sunY;
                double d = std::sqrt(dx * dx + dy * dy);
                c = Blend(c, sun, d < sunR ? 1.0 : std::exp(-(d - sunR) * 12.0) * 0.5);
                if (v > far)
                    c = Blend(hillFar, skyHorizon, 0.25);
                if (v > near)
                    c = hillNear;
            } else {
                double mirror = 2 * horizon - v;
                Colour sky = Blend(skyTop, skyHorizon, mirror / horizon);
                c = Blend(water, sky, 0.35 + 0.1 * std::sin(v * 300.0 + u * 20.0));
                double dx = (u - sunX) * aspect;
                if (std::fabs(dx) < sunR * (1.0 + (v - horizon) * 2))
                    c = Blend(c, sun, 0.35 * std::fabs(std::sin(v * 180.0)));
            }
            // A little grain so that the pictures look photographed.
            std::uint32_t hash = (static_cast<std::uint32_t>(x) * 73856093u) ^
                                 (static_cast<std::uint32_t>(y) * 19349663u) ^
                                 (static_cast<std::uint32_t>(variant) * 83492791u);
            double grain = static_cast<double>(hash % 7) - 3.0;
            canvas.SetPixel(x, y,
                            RGB(Channel(c.r, grain), Channel(c.g, grain), Channel(c.b, grain)));
        }
    }
    return canvas;
}
