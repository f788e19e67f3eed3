// Writes the start-up benchmark's theme: lv_bench_theme <output .dat> <title> <pictures>
// <folder>. The theme carries that many small JPEG pictures (each a little different), and the
// same files are written into <folder>, so that copying the folder copies the same bytes the
// saver extracts.
#include "bench/bench_pictures.h"
#include "tools/themebuilder/theme_builder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: lv_bench_theme <output .dat> <title> <pictures> <folder>\n");
        return 2;
    }
    const int count = std::atoi(argv[3]);
    const std::filesystem::path folder = argv[4];
    std::filesystem::create_directories(folder);

    PxImage photo = lvbench::PhotoLike(96, 64);
    const std::vector<BYTE> jpeg = lvbench::Encoded(photo, PXIMAGE_FORMAT_JPG);
    if (jpeg.empty() || count < 1) {
        std::fprintf(stderr, "lv_bench_theme: no picture to write\n");
        return 1;
    }
    lvtools::ThemeSpec spec;
    spec.header.title = argv[2];
    spec.settings.imageTime = 6;
    spec.settings.imageSizing = 1;
    spec.settings.captionPosition = 5;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "picture%05d.jpg", i);
        lvtools::ThemeImage image{name, name, jpeg};
        // A comment byte after the start of image keeps the files apart.
        image.data.insert(image.data.begin() + 2,
                          {0xFF, 0xFE, 0x00, 0x04, static_cast<std::uint8_t>(i >> 8),
                           static_cast<std::uint8_t>(i)});
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(image.data.data()),
                   static_cast<std::streamsize>(image.data.size()));
        spec.images.push_back(std::move(image));
    }
    const lvtools::BuiltTheme theme = lvtools::BuildTheme(spec);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(theme.bytes.data()),
              static_cast<std::streamsize>(theme.bytes.size()));
    return out ? 0 : 1;
}
