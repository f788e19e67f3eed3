// Run-length coded 8-bit pictures (BI_RLE8), decoded over the pixels already there: skipped
// pixels keep what the picture held before, as the delta frames of a video stream need.
#pragma once

#include <cstdint>
#include <span>

namespace lv::media {

// Rows are bottom-up, `stride` bytes apart; runs that leave the picture are cut. Stops at the
// end-of-picture code or where the bytes run out.
void decode_rle8(std::span<const std::uint8_t> code, std::span<std::uint8_t> pixels,
                 std::uint32_t stride, std::uint32_t width, std::uint32_t height);

} // namespace lv::media
