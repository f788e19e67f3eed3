// lv_pack: writes an installer package.
//   lv_pack --program <installer> --output <file> --title <title> --theme <.dat> --saver <.scr>
//   lv_pack --program <installer> --output <file> --entry <folder> <name> <source> [--entry ...]
// With --title the theme file's header must carry that title; its entries come first. Prints
// the size of each entry and of the package.
#include "tools/packer/packer.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Arguments {
    std::string program, output, title, theme, saver;
    std::vector<lvtools::PackSource> entries;
};

bool Parse(int argc, char** argv, Arguments& a) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        const int left = argc - i - 1;
        std::string* value = option == "--program"  ? &a.program
                             : option == "--output" ? &a.output
                             : option == "--title"  ? &a.title
                             : option == "--theme"  ? &a.theme
                             : option == "--saver"  ? &a.saver
                                                    : nullptr;
        if (value && left >= 1) {
            *value = argv[++i];
            continue;
        }
        if (option == "--entry" && left >= 3) {
            a.entries.push_back({argv[i + 1], argv[i + 2], argv[i + 3]});
            i += 3;
            continue;
        }
        return false;
    }
    const bool theme = !a.title.empty() || !a.theme.empty() || !a.saver.empty();
    if (theme && (a.title.empty() || a.theme.empty() || a.saver.empty()))
        return false;
    return !a.program.empty() && !a.output.empty() && (theme || !a.entries.empty());
}

} // namespace

int main(int argc, char** argv) {
    Arguments a;
    if (!Parse(argc, argv, a)) {
        std::fprintf(stderr, "usage: lv_pack --program <installer> --output <file> "
                             "(--title <title> --theme <file> --saver <file> | --entry <folder> "
                             "<name> <file>)...\n");
        return 2;
    }
    std::string error;
    std::vector<lvtools::PackSource> entries;
    if (!a.title.empty()) {
        if (!lvtools::CheckThemeTitle(a.theme, a.title, error)) {
            std::fprintf(stderr, "lv_pack: %s\n", error.c_str());
            return 1;
        }
        entries = lvtools::ThemePackageEntries(a.title, a.theme, a.saver);
    }
    entries.insert(entries.end(), a.entries.begin(), a.entries.end());
    std::vector<lvtools::PackedSize> sizes;
    if (!lvtools::WritePackage(a.program, a.output, entries, error, &sizes)) {
        std::fprintf(stderr, "lv_pack: %s\n", error.c_str());
        return 1;
    }
    for (const lvtools::PackedSize& entry : sizes)
        std::printf("payload %s: %llu bytes, %llu packed\n", entry.name.c_str(),
                    static_cast<unsigned long long>(entry.bytes),
                    static_cast<unsigned long long>(entry.packed));
    std::error_code ignored;
    std::printf("package %s: %llu bytes\n", a.output.c_str(),
                static_cast<unsigned long long>(std::filesystem::file_size(a.output, ignored)));
    return 0;
}
