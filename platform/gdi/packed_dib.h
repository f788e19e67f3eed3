// The DIB that bitmap and icon resources hold: an information header, its colours and the
// pixels, without a file header (what rescomp stores).
#pragma once

#include "win32/win32.h"

#include <cstdint>
#include <span>

namespace lv::gdi {

// A device-dependent bitmap of the packed DIB; null with ERROR_INVALID_DATA when the header is
// not one we read or the data are shorter than it says.
HBITMAP bitmap_from_packed_dib(std::span<const std::uint8_t> data);

// The bytes of a resource found by FindResource; empty when the handle is stale.
std::span<const std::uint8_t> resource_bytes(HINSTANCE instance, HRSRC found);

} // namespace lv::gdi
