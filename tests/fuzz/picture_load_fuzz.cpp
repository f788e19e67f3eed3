// The saver's own way to a picture on hostile files: PxImage::Load of a file with detection by
// trial, then what the slide does next with what loaded: fitting to the canvas, blending it in
// and pasting it. Inputs are raw bytes or edits of our own files of every format.
#include "codec_fuzz_input.h"
#include "saver/slide_composer.h"

#include <filesystem>

namespace {

std::vector<std::vector<BYTE>> g_bases;
std::string g_path;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_bases = lvfuzz::OwnFilesOfEveryFormat();
    const auto folder = std::filesystem::temp_directory_path() / "lv_fuzz_picture_load";
    std::filesystem::create_directories(folder);
    g_path = (folder / "picture").string();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || !lvfuzz::WriteFileBytes(g_path, lvfuzz::FuzzedBytes(g_bases, data, size)))
        return 0;
    PxImage picture;
    if (!picture.Load(g_path.c_str(), PXIMAGE_FORMAT_UNKNOWN))
        return 0;
    const LONG width = 16 + (data[1] & 63), height = 12 + (data[1] >> 6) * 16;
    PxImage canvas(width, height, 24, PXIMAGE_FORMAT_JPG);
    canvas.Clear(0);
    // Fitted as the slide does, or (data[1] odd) at its own size and cut by the canvas.
    if (data[1] & 1) {
        const SIZE fit = FitSlidePicture(width, height, static_cast<LONG>(picture.GetWidth()),
                                         static_cast<LONG>(picture.GetHeight()));
        if (fit.cx > 0 && fit.cy > 0)
            picture.Resample(fit.cx, fit.cy, 1);
    }
    const LONG pw = static_cast<LONG>(picture.GetWidth()),
               ph = static_cast<LONG>(picture.GetHeight());
    canvas.BlendFromEx(picture, 0, 0, pw, ph, (width - pw) / 2, (height - ph) / 2);
    PasteSlideImage(canvas, picture, (width - pw) / 2, (height - ph) / 2);
    return 0;
}
