// Menu objects keep item text colours in the second 32-bit word of 16-byte blocks.
#pragma once

#include "win32/win32.h"

#include <array>
#include <cstdint>
#include <cstring>

inline COLORREF MenuTextColor(const std::array<std::uint8_t, 16>& block) {
    std::uint32_t value = 0;
    std::memcpy(&value, block.data() + 4, sizeof value);
    return value;
}
