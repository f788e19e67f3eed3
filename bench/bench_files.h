// What the image benchmarks share: encoding into a byte vector (as the codec tests do), and the
// folder where fixture files are left for the peer scripts (LV_BENCH_FIXTURE_DIR, else the
// temporary folder).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "imagelib/px_image.h"
#include "tests/imagelib/codecs/codec_test_util.h"

namespace lvbench {

inline std::vector<BYTE> Encoded(PxImage& image, DWORD format) {
    return lvtest::EncodeBytes(image, format);
}

inline std::filesystem::path FixtureDir() {
    if (const char* dir = std::getenv("LV_BENCH_FIXTURE_DIR"))
        return dir;
    return std::filesystem::temp_directory_path();
}

} // namespace lvbench
