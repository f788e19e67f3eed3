// Loading a theme of many small pictures: the whole check of the file and the extraction of
// every picture into a fresh work folder, as each start of the saver does. The same picture
// files are written beside, for bench/startup.sh to copy with cp.
#include "bench/bench_pictures.h"
#include "saver/theme_globals.h"
#include "saver/theme_loader.h"
#include "tools/themebuilder/theme_builder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

namespace {

namespace fs = std::filesystem;

// "<temp>/lv_theme_load_bench/<pictures>/": theme.dat, and pictures/ with the same files.
fs::path ThemeOfPictures(int count) {
    static std::map<int, fs::path> made;
    if (auto it = made.find(count); it != made.end())
        return it->second;
    const fs::path folder =
        fs::temp_directory_path() / "lv_theme_load_bench" / std::to_string(count);
    fs::remove_all(folder);
    fs::create_directories(folder / "pictures");
    PxImage photo = lvbench::PhotoLike(96, 64);
    const std::vector<BYTE> jpeg = lvbench::Encoded(photo, PXIMAGE_FORMAT_JPG);
    lvtools::ThemeSpec spec;
    spec.header.title = "Bench";
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "picture%05d.jpg", i);
        lvtools::ThemeImage image{name, name, jpeg};
        std::ofstream(folder / "pictures" / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(image.data.data()),
                   static_cast<std::streamsize>(image.data.size()));
        spec.images.push_back(std::move(image));
    }
    const lvtools::BuiltTheme theme = lvtools::BuildTheme(spec);
    std::ofstream(folder / "theme.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(theme.bytes.data()),
               static_cast<std::streamsize>(theme.bytes.size()));
    made[count] = folder;
    return folder;
}

void BM_LoadThemeOfPictures(benchmark::State& state) {
    const fs::path folder = ThemeOfPictures(static_cast<int>(state.range(0)));
    const std::string theme = (folder / "theme.dat").string();
    for (auto _ : state) {
        if (!LoadThemeFile(theme.c_str(), folder.string().c_str())) {
            state.SkipWithError("the theme did not load");
            break;
        }
    }
    ResetThemeGlobals();
    state.counters["pictures"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_LoadThemeOfPictures)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace
