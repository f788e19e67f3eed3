// Rectangle arithmetic that cannot overflow, for rectangles from windows and from skin files.
// A skin file may hold any 32-bit value where a coordinate, margin or size belongs; painters
// and layouts take such values through SkinCoordinate or SkinRect first, so that sums and
// differences of a few of them stay far inside LONG.
#pragma once

#include "win32/win32.h"

#include <algorithm>
#include <cstdint>

// Far beyond any window or picture, and small enough that a sum of a thousand such values
// still fits in LONG.
constexpr LONG kSkinCoordinateLimit = 1 << 20;

constexpr LONG SkinCoordinate(std::int64_t value) {
    return static_cast<LONG>(
        std::clamp<std::int64_t>(value, -kSkinCoordinateLimit, kSkinCoordinateLimit));
}

constexpr RECT SkinRect(const RECT& r) {
    return RECT{SkinCoordinate(r.left), SkinCoordinate(r.top), SkinCoordinate(r.right),
                SkinCoordinate(r.bottom)};
}

// Width and height reckoned in 64 bits, clamped to LONG.
constexpr LONG RectWidth(const RECT& r) {
    return static_cast<LONG>(
        std::clamp<std::int64_t>(std::int64_t{r.right} - r.left, INT32_MIN, INT32_MAX));
}
constexpr LONG RectHeight(const RECT& r) {
    return static_cast<LONG>(
        std::clamp<std::int64_t>(std::int64_t{r.bottom} - r.top, INT32_MIN, INT32_MAX));
}
