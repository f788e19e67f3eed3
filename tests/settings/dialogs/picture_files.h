// Pictures of one colour for the dialog tests, encoded by the image library.
#pragma once

#include "imagelib/px_image.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace lvtest {

std::vector<std::uint8_t> SolidPictureBytes(LONG width, LONG height, COLORREF colour,
                                            DWORD format = PXIMAGE_FORMAT_BMP);
// Writes the picture, making its folder; returns the file's Windows path.
std::string WriteSolidPicture(const std::filesystem::path& file, LONG width, LONG height,
                              COLORREF colour, DWORD format = PXIMAGE_FORMAT_BMP);

} // namespace lvtest
