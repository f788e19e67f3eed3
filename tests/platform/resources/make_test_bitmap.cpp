// Writes the pictures of the resource tests as 24-bit bottom-up BMP files:
// - the bitmap, 3 x 2 pixels with a distinct colour in each (top row red, green, blue; bottom
//   row white, black, grey);
// - the icon, 8 x 8: a magenta (transparent) border of two pixels round a green square whose
//   top-left pixel is red.
#include "tests/support/bmp_writer.h"

#include <fstream>

namespace {

bool write(const char* path, const lvtest::BmpSpec& spec) {
    const std::vector<std::uint8_t> bmp = lvtest::WriteBmp(spec);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    return static_cast<bool>(out);
}

lvtest::BmpSpec icon_picture() {
    lvtest::BmpSpec spec;
    spec.width = 8;
    spec.height = 8;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            spec.pixels.push_back(x < 2 || y < 2 || x > 5 || y > 5 ? 0xFF00FF : 0x148C3C);
    spec.pixels[2 * 8 + 2] = 0xFF0000;
    return spec;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    lvtest::BmpSpec colours;
    colours.width = 3;
    colours.height = 2;
    colours.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};
    return write(argv[1], colours) && write(argv[2], icon_picture()) ? 0 : 1;
}
