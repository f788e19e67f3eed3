// Procedural pictures and music for the bundled sample theme: our own artwork, made at
// build time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace samplegen {

// Packed 8-bit RGB rows, top row first.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    void set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b);
};

// The sample theme's landscape of one variant (palette and shapes), tools/artkit/landscape.h.
RgbImage DrawSampleLandscape(int width, int height, int variant);

enum class FrameLook {
    linen,  // a light mat with thin dark lines
    walnut, // dark wood with a light bevel
    brass,  // four brass corners, magenta (clear) between them
};

// A nine-piece frame picture (corners and edges of `piece` pixels), magenta inside.
RgbImage DrawFrame(int piece, FrameLook look = FrameLook::linen);

std::vector<std::uint8_t> EncodeJpeg(const RgbImage& image, int quality);
std::vector<std::uint8_t> EncodePng(const RgbImage& image);
std::vector<std::uint8_t> EncodeBmp(const RgbImage& image);

// A calm arpeggio as a 16-bit mono WAV file.
std::vector<std::uint8_t> MakeWaveTrack(int seconds, int sampleRate);

} // namespace samplegen
