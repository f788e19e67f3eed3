#include "tools/buttonart/looks.h"

#include "tools/artkit/landscape.h"

#include <algorithm>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Percent of the colour: above 100 mixes toward white, below toward black.
COLORREF Shade(COLORREF colour, int percent) {
    return percent >= 100 ? Mix(colour, kWhite, percent - 100) : Mix(colour, kBlack, 100 - percent);
}

Canvas DrawFace(Look look, int width, int height, COLORREF colour) {
    Canvas canvas(width, height, colour);
    if (look == Look::flat)
        return canvas;
    const int top = look == Look::pressed ? 80 : look == Look::hover ? 140 : 125;
    const int bottom = look == Look::pressed ? 115 : look == Look::hover ? 95 : 80;
    const RECT all{0, 0, width, height};
    canvas.VerticalGradient(all, Shade(colour, top), Shade(colour, bottom));
    canvas.Frame(all, Shade(colour, 60));
    return canvas;
}

void FillCircle(Canvas& canvas, int cx, int cy, int radius, COLORREF colour) {
    for (int y = cy - radius; y <= cy + radius; ++y)
        for (int x = cx - radius; x <= cx + radius; ++x)
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius)
                canvas.SetPixel(x, y, colour);
}

// A picture frame in the colour holding a small landscape: sky, sun, two hills. Drawn for
// 32 x 32 and scaled to other sizes by proportion.
Canvas DrawIcon(int width, int height, COLORREF colour) {
    Canvas canvas(width, height, Canvas::kKey);
    auto sx = [&](int v) { return v * width / 32; };
    auto sy = [&](int v) { return v * height / 32; };
    const RECT frame{sx(2), sy(4), sx(30), sy(28)};
    const RECT picture{sx(5), sy(7), sx(27), sy(25)};
    canvas.VerticalGradient(frame, Mix(colour, kWhite, 35), Mix(colour, kBlack, 25));
    canvas.Frame(frame, Mix(colour, kBlack, 55));
    canvas.VerticalGradient(picture, RGB(92, 150, 214), RGB(214, 232, 246));
    FillCircle(canvas, sx(20), sy(12), std::max(1, sx(3)), RGB(255, 214, 92));
    const int span = std::max(1, static_cast<int>(picture.right - picture.left));
    for (int x = picture.left; x < picture.right; ++x) {
        const int u = (x - picture.left) * 100 / span; // 0..99 across the picture
        const int far = sy(18) + (u - 30) * (u - 30) / 400 * sy(1);
        const int near = sy(21) + (u - 75) * (u - 75) / 500 * sy(1);
        for (int y = std::min(far, near); y < picture.bottom; ++y)
            canvas.SetPixel(x, y, y >= near ? RGB(52, 110, 62) : RGB(118, 156, 112));
    }
    canvas.Frame(picture, Mix(colour, kBlack, 55));
    // A soft shadow under the frame's bottom and right edges.
    const COLORREF shadow = RGB(96, 96, 96);
    canvas.Fill({frame.left + 1, frame.bottom, frame.right + 1, frame.bottom + 1}, shadow);
    canvas.Fill({frame.right, frame.top + 1, frame.right + 1, frame.bottom}, shadow);
    return canvas;
}

} // namespace

std::optional<Look> LookFromName(const std::string& name) {
    const std::pair<const char*, Look> names[] = {
        {"face", Look::face}, {"hover", Look::hover},     {"pressed", Look::pressed},
        {"flat", Look::flat}, {"picture", Look::picture}, {"icon", Look::icon},
    };
    for (const auto& [text, look] : names)
        if (name == text)
            return look;
    return std::nullopt;
}

Canvas DrawLook(Look look, int width, int height, COLORREF colour) {
    switch (look) {
    case Look::picture:
        return DrawLandscape(width, height, LandscapePaletteFrom(colour), 1);
    case Look::icon:
        return DrawIcon(width, height, colour);
    default:
        return DrawFace(look, width, height, colour);
    }
}
