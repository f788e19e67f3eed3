// The bytes of the generated test payload: position-dependent, so that a shifted, cut or
// repeated block shows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lvtest {

constexpr std::size_t kPayloadSize = 3 * 1024 * 1024 + 17;

inline std::uint8_t payload_byte(std::size_t i) {
    std::uint32_t x = static_cast<std::uint32_t>(i) * 2654435761u + 0x9E3779B9u;
    x ^= x >> 15;
    x *= 0x85EBCA6Bu;
    x ^= x >> 13;
    return static_cast<std::uint8_t>(x);
}

} // namespace lvtest
