// Writes installer packages: the installer program followed by one zlib stream per entry
// and the package trailer that the installer reads back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lvtools {

struct PackSource {
    std::string folder; // "<title>\", or "NULL" for none
    std::string name;
    std::filesystem::path source;
};

// What one entry takes: its bytes and its stream's bytes in the package.
struct PackedSize {
    std::string name; // folder and name
    std::uint64_t bytes = 0;
    std::uint64_t packed = 0;
};

// Writes <program image><streams><trailer> to `output`, replaced whole, mode 0755. On
// failure `error` says why and `output` is left as it was. `sizes`, when given, receives
// each entry's sizes.
bool WritePackage(const std::filesystem::path& program, const std::filesystem::path& output,
                  const std::vector<PackSource>& entries, std::string& error,
                  std::vector<PackedSize>* sizes = nullptr);

// The entries of a delivered theme package: "<title>.dat" (the theme file), then
// "<title>.scr" (the saver), both in "<title>\".
std::vector<PackSource> ThemePackageEntries(const std::string& title,
                                            const std::filesystem::path& themeFile,
                                            const std::filesystem::path& saverFile);

// The theme file must be one (its header reads, its magic is ours) whose title, trimmed as
// the installer trims it, is `title`.
bool CheckThemeTitle(const std::filesystem::path& themeFile, const std::string& title,
                     std::string& error);

// CheckThemeTitle, then WritePackage with ThemePackageEntries.
bool PackThemeInstaller(const std::filesystem::path& program, const std::filesystem::path& output,
                        const std::string& title, const std::filesystem::path& themeFile,
                        const std::filesystem::path& saverFile, std::string& error);

} // namespace lvtools
