// A whole slide from hostile files and settings: the composer loads the picture by trial,
// builds the frame from its record (piece sizes, extra space, type, stretching, PNG or BMP
// frame pictures), fits, blends or pastes, and draws the caption, on a small canvas. The first
// six bytes are the settings; the rest is the picture, raw or as edits of our own files.
#include "codec_fuzz_input.h"
#include "saver/slide_composer.h"
#include "saver/theme_globals.h"

#include <filesystem>
#include <string>

namespace {

std::vector<std::vector<BYTE>> g_bases;
std::filesystem::path g_folder;

constexpr std::size_t kSettingsBytes = 6;

// Two frame pictures of our writers: a PNG of nine 10 x 10 pieces with a magenta centre, and a
// BMP of 24 x 18.
void WriteFramePictures() {
    PxImage png(30, 30, 24, PXIMAGE_FORMAT_PNG);
    for (LONG y = 0; y < 30; ++y)
        for (LONG x = 0; x < 30; ++x)
            png.SetPixelColor(x, y,
                              (x / 10 == 1 && y / 10 == 1)
                                  ? PxRgbQuad{255, 0, 255, 0}
                                  : PxRgbQuad{static_cast<BYTE>(x * 8), static_cast<BYTE>(y * 8),
                                              static_cast<BYTE>((x + y) * 4), 0});
    png.Save((g_folder / "frame.png").string().c_str(), PXIMAGE_FORMAT_PNG);
    PxImage bmp = lvfuzz::Pattern(24, 18, 24);
    bmp.Save((g_folder / "frame.bmp").string().c_str(), PXIMAGE_FORMAT_BMP);
}

std::string Piece(BYTE w, BYTE h) {
    return std::to_string(w) + " " + std::to_string(h);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_bases = lvfuzz::OwnFilesOfEveryFormat();
    g_folder = std::filesystem::temp_directory_path() / "lv_fuzz_slide_compose";
    std::filesystem::create_directories(g_folder);
    WriteFramePictures();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kSettingsBytes + 2)
        return 0;
    const std::uint8_t* s = data;
    if (!lvfuzz::WriteFileBytes(
            (g_folder / "picture").string(),
            lvfuzz::FuzzedBytes(g_bases, data + kSettingsBytes, size - kSettingsBytes)))
        return 0;

    ResetThemeGlobals();
    WorkFolder = g_folder.string().c_str();
    ImageNames.Add("picture");
    ImageCaptions.Add((s[4] & 0x80) ? "" : "Caption \xE6\x97\xA5\xE6\x9C\xAC");
    SaverSettings.imageSizing = s[0] >> 7;
    SaverSettings.framePresent = s[0] & 3;
    SaverSettings.captionPosition = s[4] & 7;
    SaverSettings.captionFont.lfHeight = 8 + (s[5] & 15);
    SaverSettings.captionColor = RGB(s[3], s[2], s[1]);
    SaverSettings.backgroundMode = (s[4] >> 3) & 1;
    SaverSettings.gradientKind = (s[4] >> 4) & 7;
    SaverSettings.gradientStartColor = RGB(s[1], 0, s[2]);
    SaverSettings.gradientEndColor = RGB(0, s[3], 255);
    FrameSettings.format = (s[0] >> 2) & 1;
    FrameSettings.type = ((s[0] >> 3) & 7) % 6;
    FrameSettings.stretch_mode = (s[0] >> 6) & 1;
    // Corner and edge pieces up to twice the frame picture, extra space up to 127.
    const std::string corner = Piece(s[1] & 63, s[1] >> 2);
    const std::string edge = Piece(s[2] & 63, s[2] >> 2);
    FrameSettings.upleft = FrameSettings.upright = FrameSettings.btleft = FrameSettings.btright =
        corner.c_str();
    FrameSettings.upmid = FrameSettings.btmid = FrameSettings.ctleft = FrameSettings.ctright =
        edge.c_str();
    FrameSettings.extraspace = Piece(s[3] & 127, s[3] >> 1).c_str();
    FrameSettings.framePicturePath =
        (g_folder / (FrameSettings.format ? "frame.png" : "frame.bmp")).string().c_str();

    SlideComposer composer;
    PxImage canvas;
    composer.Compose(16 + (s[5] >> 4) * 4, 12 + (s[5] & 15) * 4, (s[5] & 0x80) != 0, canvas);
    ResetThemeGlobals();
    return 0;
}
