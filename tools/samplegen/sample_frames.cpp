// The sample frame folder, our own art, where the settings' frame dialog finds it:
//   sample_frames draw <folder>      writes <folder>\frame with descriptions and pictures
//   sample_frames register <folder>  records <folder> as the authoring tool's folder
#include "system/paths.h"
#include "tools/samplegen/pictures.h"
#include "win32/win32.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr char kAuthoringToolKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimmerwright2_is1";

struct SampleFrame {
    const char* name;
    const char* title;
    samplegen::FrameLook look;
    int piece;
    bool png;
    int type; // 0 all pieces, 3 corners only
};

const SampleFrame kFrames[] = {
    {"linen", "Linen mat", samplegen::FrameLook::linen, 32, true, 0},
    {"walnut", "Walnut", samplegen::FrameLook::walnut, 24, false, 0},
    {"brass", "Brass corners", samplegen::FrameLook::brass, 24, true, 3},
};

std::string Description(const SampleFrame& f) {
    const std::string size = std::to_string(f.piece) + " " + std::to_string(f.piece);
    std::string text = "[Info]\ntitle=" + std::string(f.title) +
                       "\nver=10\ndirection=0\nformat=" + (f.png ? "1" : "0") + "\n[Skin]\n";
    for (const char* key :
         {"upleft", "upmid", "upright", "ctleft", "ctright", "btleft", "btmid", "btright"})
        text += std::string(key) + "=" + size + "\n";
    const std::string extra = std::to_string(2 * f.piece) + " " + std::to_string(2 * f.piece);
    text += "[Make]\ntype=" + std::to_string(f.type) + "\nstretch_mode=1\npic_drawpt=" + size +
            "\nextraspace=" + extra + "\n";
    return text;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int Draw(const std::filesystem::path& base) {
    const std::filesystem::path folder = base / "frame";
    std::filesystem::create_directories(folder);
    for (const SampleFrame& f : kFrames) {
        const std::string text = Description(f);
        const samplegen::RgbImage picture = samplegen::DrawFrame(f.piece, f.look);
        const auto bytes = f.png ? samplegen::EncodePng(picture) : samplegen::EncodeBmp(picture);
        if (!WriteFile(folder / (std::string(f.name) + ".ini"), {text.begin(), text.end()}) ||
            !WriteFile(folder / (std::string(f.name) + (f.png ? ".png" : ".bmp")), bytes)) {
            std::fprintf(stderr, "sample_frames: cannot write into %s\n", folder.c_str());
            return 1;
        }
    }
    return 0;
}

int Register(const std::filesystem::path& base) {
    const std::string folder = lv::to_windows_path(std::filesystem::absolute(base).string());
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kAuthoringToolKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        std::fprintf(stderr, "sample_frames: cannot open the authoring tool's key\n");
        return 1;
    }
    const LONG set = RegSetValueExA(key, "InstallLocation", 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(folder.c_str()),
                                    static_cast<DWORD>(folder.size() + 1));
    RegCloseKey(key);
    if (set != ERROR_SUCCESS) {
        std::fprintf(stderr, "sample_frames: cannot record %s\n", folder.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode == "draw")
        return Draw(argv[2]);
    if (mode == "register")
        return Register(argv[2]);
    std::fprintf(stderr, "usage: sample_frames draw|register <folder>\n");
    return 2;
}
