// The packaged image tools the codec tests compare with (ImageMagick, libtiff-tools,
// giflib-tools, netpbm), run on files of a scratch folder, and a reader of the netpbm files
// they write.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "imagelib/px_image.h"

namespace lvtest {

// The tool's path, or nothing when it is not installed.
std::optional<std::filesystem::path> FindTool(const std::string& name);

// Runs a tool; true when it exited with 0. Its messages go to `messages` when given.
bool RunTool(const std::string& name, const std::vector<std::string>& args,
             std::string* messages = nullptr);

// What a tool writes to its standard output, when it exits with 0.
std::optional<std::vector<std::uint8_t>> ToolOutput(const std::string& name,
                                                    const std::vector<std::string>& args);

// A picture read from a PBM/PGM/PPM/PAM file, top row first, 8 bits a sample.
struct PnmPicture {
    int width = 0;
    int height = 0;
    int channels = 0; // 1 grey, 2 grey + alpha, 3 RGB, 4 RGBA
    std::vector<std::uint8_t> samples;

    // Red, green, blue, alpha of pixel (x, y from the top).
    PxRgbQuad At(int x, int y) const;
};

std::optional<PnmPicture> ReadPnm(const std::filesystem::path& path);

// The colour of our picture's pixel (x, y from the top), alpha 255 without an alpha plane.
PxRgbQuad PictureColour(const PxImage& image, LONG x, LONG yFromTop);

// Counts the pixels whose red, green or blue differ by more than tolerance (alpha too when
// both carry it); sizes must match.
long CountDifferences(const PxImage& ours, const PnmPicture& theirs, int tolerance = 0,
                      bool compareAlpha = false);

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);

// A 24-bit picture of smooth colours and a few hard edges.
PxImage ColourPattern(LONG width, LONG height);
// A palette picture of the given depth whose indices make diagonal bands and runs.
PxImage PalettePattern(LONG width, LONG height, DWORD bpp);

} // namespace lvtest

// Skips the test when a packaged tool is missing (the setup script installs them all).
#define LV_REQUIRE_TOOL(name)                                                                      \
    do {                                                                                           \
        if (!lvtest::FindTool(name))                                                               \
            GTEST_SKIP() << name << " is not installed";                                           \
    } while (0)
