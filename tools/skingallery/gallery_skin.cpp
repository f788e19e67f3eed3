#include "tools/skingallery/gallery_skin.h"

#include "skin/core/glazework.h"
#include "skin/core/mem_stream.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_manager.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace gallery {
namespace {

constexpr char kApplicationName[] = "Skin Gallery";
constexpr char kSkinType[] = "GLAZE_WORK";
constexpr char kFullSkin[] = "FULL_SKIN";
// The frame object of the skins' dialogs.
constexpr char kDialogObject[] = "Dialog";

// The skin file read as the toolkit's loader reads a skin; null with the reason when it is not
// one.
std::unique_ptr<SkinData> ReadSkinFile(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read the skin file " + path;
        return nullptr;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    MemStream container(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    auto skin = std::make_unique<SkinData>();
    const bool loaded = skin->Load(container) == 1;
    SkinFormatVersion.Reset();
    if (loaded)
        return skin;
    error = path + " is not a skin (load status " +
            std::to_string(static_cast<unsigned>(skin->Status())) + ")";
    return nullptr;
}

} // namespace

bool ParseGalleryArguments(int argc, const char* const* argv, GalleryOptions& options,
                           std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--skin" && i + 1 < argc) {
            options.skin_file = argv[++i];
            continue;
        }
        if (argument == "--dialog") {
            options.dialog_only = true;
            continue;
        }
        error = "unknown argument " + argument + " (usage: skingallery [--skin <file>] [--dialog])";
        return false;
    }
    return true;
}

bool StartSkinning(HINSTANCE instance, const GalleryOptions& options, std::string& error) {
    std::unique_ptr<SkinData> skin;
    if (!options.skin_file.empty() && !(skin = ReadSkinFile(options.skin_file, error)))
        return false;
    GlazeworkStartup(instance, kApplicationName, 0, 0);
    if (skin)
        SkinManager::Instance().SetSkin(std::move(skin));
    else
        GlazeworkLoadSkinResource(instance, kFullSkin, kSkinType);
    GlazeworkSetDialogSkinName(kDialogObject);
    return true;
}

void StopSkinning() {
    GlazeworkShutdown();
}

} // namespace gallery
