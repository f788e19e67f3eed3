// The stored form of a skin: u32 unpacked size, then one LZO1X stream of the skin file.
#pragma once

#include <cstdint>

namespace skin_container {

constexpr std::uint32_t kSizeFieldBytes = 4;

// Skin files are a few hundred kilobytes; a larger declared size is damage, not a skin.
constexpr std::uint32_t kMaxUnpackedSize = 64u << 20;

// LZO1X cannot expand its input by more than this factor, so a declared size beyond it
// cannot be met by the compressed bytes that follow.
constexpr std::uint64_t kMaxExpansion = 256;

} // namespace skin_container
