// Encodes a canvas as a 24-bit bottom-up BMP file.
#pragma once

#include "tools/artkit/canvas.h"

#include <cstdint>
#include <vector>

std::vector<std::uint8_t> EncodeBmp24(const Canvas& canvas);
