// buttonart <out.bmp> <width> <height> <rrggbb> [<look> [<label>]]
// Writes a 24-bit BMP: a button face of one colour with its label, the installer's picture or
// the program icon (looks: tools/buttonart/looks.h; "face" when none is given). A label
// "<name>" draws a glyph instead (tools/buttonart/glyph.h).
#include "tools/artkit/bmp24_writer.h"
#include "tools/buttonart/glyph.h"
#include "tools/buttonart/label.h"
#include "tools/buttonart/looks.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int kLargestSide = 4096;

std::optional<int> SideFrom(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value <= 0 ||
        value > kLargestSide)
        return std::nullopt;
    return value;
}

std::optional<COLORREF> ColourFrom(std::string_view text) {
    unsigned int rgb = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rgb, 16);
    if (text.size() != 6 || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "buttonart: %s\n", message.c_str());
    return 2;
}

bool IsPlainAscii(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)
            return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5 || argc > 7) {
        std::fprintf(stderr,
                     "usage: buttonart <out.bmp> <width> <height> <rrggbb> [<look> [<label>]]\n"
                     "looks: face, hover, pressed, flat, picture, icon\n");
        return 2;
    }
    const auto width = SideFrom(argv[2]);
    const auto height = SideFrom(argv[3]);
    if (!width || !height)
        return Fail(std::string("bad size ") + argv[2] + " x " + argv[3] + " (1 to 4096 pixels)");
    const auto colour = ColourFrom(argv[4]);
    if (!colour)
        return Fail(std::string("bad colour ") + argv[4] + " (six hex digits, rrggbb)");
    const std::string lookName = argc >= 6 ? argv[5] : "face";
    const auto look = LookFromName(lookName);
    if (!look)
        return Fail("unknown look " + lookName);
    const std::string label = argc >= 7 ? argv[6] : "";
    if (!label.empty() && *look == Look::icon)
        return Fail("the icon look takes no label");
    if (!IsPlainAscii(label))
        return Fail("a label is plain ASCII text");

    Canvas canvas = DrawLook(*look, *width, *height, *colour);
    // A button's states share their ink: it follows the button's colour, not the state's shade.
    const COLORREF background =
        *look == Look::picture ? canvas.Pixel(*width / 2, *height / 2) : *colour;
    const int shift = *look == Look::pressed ? 1 : 0;
    if (const auto glyph = GlyphFromLabel(label)) {
        DrawGlyph(canvas, *glyph, LabelInk(background), shift);
    } else if (!label.empty() && !DrawLabel(canvas, label, LabelInk(background), shift)) {
        std::fprintf(stderr, "buttonart: cannot draw the label \"%s\"\n", label.c_str());
        return 1;
    }
    const std::vector<std::uint8_t> bmp = EncodeBmp24(canvas);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    if (!out) {
        std::fprintf(stderr, "buttonart: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
