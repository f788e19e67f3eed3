#include "tools/skinbuilder/skin_parts.h"

#include "tools/artkit/bmp24_writer.h"

#include "util/le_bytes.h"

#include <cstring>
#include <vector>

namespace skin_parts {

SkinImageRef ImagePart(const char* image, const RECT& source, std::uint32_t mode) {
    SkinImageRef ref;
    SetText(ref.imageName, image);
    ref.source = source;
    ref.drawMode = mode;
    return ref;
}

SkinNineGridRef NineGrid(const char* image, const RECT& source, int margin, std::uint32_t mode) {
    SkinNineGridRef grid;
    SetText(grid.imageName, image);
    grid.source = source;
    grid.leftMargin = grid.topMargin = grid.rightMargin = grid.bottomMargin = margin;
    grid.gridMode = mode;
    return grid;
}

RECT Offset(RECT r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

void SetBlockColor(std::array<std::uint8_t, 16>& block, COLORREF color) {
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter(bytes).u32(color);
    std::memcpy(block.data() + 4, bytes.data(), 4);
}

SkinFontSlot UiFont(LONG weight, COLORREF color) {
    SkinFontSlot slot = DefaultFrameFont();
    std::memset(slot.font.lfFaceName, 0, sizeof slot.font.lfFaceName);
    std::strcpy(slot.font.lfFaceName, "Tahoma");
    slot.font.lfWeight = weight;
    slot.color = color;
    return slot;
}

SkinTextEffect PlainText(COLORREF color) {
    SkinTextEffect effect = SkinTextEffect::Default();
    effect.SetTextColor(color);
    return effect;
}

SkinTextEffect ShadowedText(COLORREF color, COLORREF shadow) {
    SkinTextEffect effect = PlainText(color);
    effect.SetShadowColor(shadow);
    effect.offsets = 0x0101; // one pixel right and down
    effect.flags |= SkinTextEffect::kShadowFlag;
    return effect;
}

std::unique_ptr<SkinImage> Image(const char* name, const Canvas& artwork) {
    auto image = std::make_unique<SkinImage>();
    image->SetName(name);
    image->format = SkinImage::kFormatBmp;
    image->encoded = EncodeBmp24(artwork);
    return image;
}

} // namespace skin_parts
