// Pictures and files shared by the image library's benchmarks.
#pragma once

#include "imagelib/px_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace lvbench {

// Smooth gradients with a little noise, like a photograph.
inline PxImage PhotoLike(LONG width, LONG height) {
    PxImage image(width, height, 24, PXIMAGE_FORMAT_BMP);
    std::uint32_t noise = 12345;
    for (LONG y = 0; y < height; ++y) {
        BYTE* row = image.GetBits(static_cast<DWORD>(y));
        for (LONG x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int n = static_cast<int>(noise >> 28) - 8;
            const double fx = static_cast<double>(x) / width, fy = static_cast<double>(y) / height;
            const int r = static_cast<int>(128 + 100 * std::sin(fx * 5.0 + fy * 2.0)) + n;
            const int g = static_cast<int>(128 + 90 * std::cos(fy * 4.0 - fx)) + n;
            const int b = static_cast<int>(60 + 150 * fx * fy) + n;
            row[3 * x] = static_cast<BYTE>(std::clamp(b, 0, 255));
            row[3 * x + 1] = static_cast<BYTE>(std::clamp(g, 0, 255));
            row[3 * x + 2] = static_cast<BYTE>(std::clamp(r, 0, 255));
        }
    }
    return image;
}

inline std::vector<BYTE> Encoded(PxImage& image, DWORD format) {
    BYTE* buffer = nullptr;
    LONG size = 0;
    if (!image.EncodeToMemory(buffer, size, format))
        return {};
    std::vector<BYTE> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

// Where fixtures that bench/peers.sh also reads are left.
inline std::filesystem::path FixtureDir() {
    if (const char* dir = std::getenv("LV_BENCH_FIXTURE_DIR"))
        return dir;
    return std::filesystem::temp_directory_path();
}

inline void WriteFixture(const std::string& name, const std::vector<BYTE>& bytes) {
    const std::string path = (FixtureDir() / name).string();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

} // namespace lvbench
