#include "tests/settings/dialogs/picture_files.h"

#include "system/paths.h"
#include "tests/support/process_runner.h"

#include <cstdlib>

namespace lvtest {

std::vector<std::uint8_t> SolidPictureBytes(LONG width, LONG height, COLORREF colour,
                                            DWORD format) {
    PxImage image;
    image.Create(width, height, 24);
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
            image.SetPixelColor(x, y, PxImage::RgbToRgbQuad(colour));
    BYTE* buffer = nullptr;
    LONG size = 0;
    if (!image.EncodeToMemory(buffer, size, format))
        return {};
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

std::string WriteSolidPicture(const std::filesystem::path& file, LONG width, LONG height,
                              COLORREF colour, DWORD format) {
    std::filesystem::create_directories(file.parent_path());
    WriteFileBytes(file, SolidPictureBytes(width, height, colour, format));
    return lv::to_windows_path(file.string());
}

} // namespace lvtest
