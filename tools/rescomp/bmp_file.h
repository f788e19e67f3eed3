// BMP files named by the bitmap and icon kinds, turned into the packed DIB the platform's
// loaders read: the information header, its colours, then the pixels.
#pragma once

#include "manifest.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace rescomp {

struct PackedDib {
    std::vector<std::uint8_t> bytes;
    std::uint16_t bit_count = 0;
    std::uint32_t compression = 0;
};

// Reads the file and checks its headers; faults are reported against the line.
PackedDib read_bmp_file(const std::filesystem::path& path, const ManifestLine& line);

} // namespace rescomp
