// What the image benchmarks share: encoding into a byte vector, and the folder where fixture
// files are left for the peer scripts (LV_BENCH_FIXTURE_DIR, else the temporary folder).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "imagelib/px_image.h"

namespace lvbench {

inline std::vector<BYTE> Encoded(PxImage& image, DWORD format) {
    BYTE* buffer = nullptr;
    LONG size = 0;
    if (!image.EncodeToMemory(buffer, size, format))
        return {};
    std::vector<BYTE> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

inline std::filesystem::path FixtureDir() {
    if (const char* dir = std::getenv("LV_BENCH_FIXTURE_DIR"))
        return dir;
    return std::filesystem::temp_directory_path();
}

} // namespace lvbench
