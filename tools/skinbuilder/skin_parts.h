// The building blocks the skins written here are made of: image references, nine-grids, fonts,
// text effects and images from artwork.
#pragma once

#include "tools/artkit/canvas.h"

#include "skin/core/skin_image.h"
#include "skin/core/skin_refs.h"

#include <array>
#include <cstdint>
#include <memory>

namespace skin_parts {

// Draw modes of image references; grid modes of nine-grids.
constexpr std::uint32_t kCopyClipped = 0;
constexpr std::uint32_t kTile = 1;
constexpr std::uint32_t kStretch = 2;
constexpr std::uint32_t kStretchAll = 1;
constexpr std::uint32_t kStretchEdges = 5;

SkinImageRef ImagePart(const char* image, const RECT& source, std::uint32_t mode);
SkinNineGridRef NineGrid(const char* image, const RECT& source, int margin, std::uint32_t mode);
RECT Offset(RECT r, int dx, int dy);
// The second u32 of a 16-byte block holds an item text colour.
void SetBlockColor(std::array<std::uint8_t, 16>& block, COLORREF color);
SkinFontSlot UiFont(LONG weight, COLORREF color);
SkinTextEffect PlainText(COLORREF color);
SkinTextEffect ShadowedText(COLORREF color, COLORREF shadow);
// A 24-bit BMP of the artwork, stored under `name`.
std::unique_ptr<SkinImage> Image(const char* name, const Canvas& artwork);

} // namespace skin_parts
