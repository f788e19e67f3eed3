#include "tests/support/screenshots.h"

#include <cstdlib>
#include <filesystem>

namespace lvtest {
namespace {

// Read as the binary loads: tests may point LUMIVISTA_ROOT elsewhere for a while.
const std::string kStartRoot = [] {
    const char* root = std::getenv("LUMIVISTA_ROOT");
    return std::string(root ? root : "");
}();

} // namespace

std::string ScreenshotPath(const std::string& name) {
    const std::filesystem::path base = kStartRoot.empty() ? std::filesystem::temp_directory_path()
                                                          : std::filesystem::path(kStartRoot);
    const std::filesystem::path folder = base / "screenshots";
    std::filesystem::create_directories(folder);
    return (folder / name).string();
}

} // namespace lvtest
