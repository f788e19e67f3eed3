// skinbuilder build <out>: writes the default skin container.
// skinbuilder build-full <out>: writes the full skin container (the skin gallery's).
// skinbuilder dump <skin>: prints a skin container.
// skinbuilder images <dir>: writes both skins' artwork as BMP files, for a look.
#include "tools/artkit/bmp24_writer.h"
#include "tools/skinbuilder/default_skin.h"
#include "tools/skinbuilder/full_skin.h"
#include "tools/skinbuilder/skin_dump.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int Usage() {
    std::cerr << "usage: skinbuilder build <out.bin> | build-full <out.bin> | dump <skin.bin> | "
                 "images <dir>\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return Usage();
    const std::string command = argv[1];
    const std::filesystem::path path = argv[2];
    if (command == "build" || command == "build-full") {
        std::vector<std::uint8_t> container = command == "build"
                                                  ? default_skin::Build().ContainerBytes()
                                                  : full_skin::Build().ContainerBytes();
        if (container.empty() || !WriteFile(path, container)) {
            std::cerr << "skinbuilder: cannot write " << path << "\n";
            return 1;
        }
        return 0;
    }
    if (command == "dump") {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::cerr << "skinbuilder: cannot read " << path << "\n";
            return 1;
        }
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        return DumpSkin(bytes, std::cout) == 0 ? 0 : 1;
    }
    if (command == "images") {
        std::filesystem::create_directories(path);
        const std::pair<std::string, Canvas> artwork[] = {
            {default_skin::kWindowsImage, default_skin::DrawWindowsArtwork()},
            {default_skin::kButtonImage, default_skin::DrawButtonArtwork()},
            {std::string("full-") + full_skin::kFrameImage, full_skin::DrawFrameArtwork()},
            {std::string("full-") + full_skin::kButtonsImage, full_skin::DrawButtonsArtwork()},
            {std::string("full-") + full_skin::kControlsImage, full_skin::DrawControlsArtwork()},
            {std::string("full-") + full_skin::kItemsImage, full_skin::DrawItemsArtwork()}};
        bool ok = true;
        for (const auto& [name, canvas] : artwork)
            ok = WriteFile(path / name, EncodeBmp24(canvas)) && ok;
        return ok ? 0 : 1;
    }
    return Usage();
}
