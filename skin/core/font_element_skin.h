// Type 20: the menu-bar font and images that every frame object embeds; never a record of
// its own.
#pragma once

#include "skin/core/frame_child_skin.h"

class FontElementSkin final : public FrameChildSkin {
public:
    static constexpr std::uint32_t kTypeId = 20;

    FontElementSkin() : FrameChildSkin(kTypeId) {}
    void VisitFields(SkinFieldVisitor& v) override;

    SkinFontSlot font = DefaultFrameFont();
    // The second u32 of each block is a menu-bar item text colour: normal, disabled, hot
    // and open item.
    std::array<std::array<std::uint8_t, 16>, 4> blocks{};
    COLORREF color1Own = 0x727272;
    COLORREF color2Own = 0xE07272;
    SkinNineGridRef nineGrid1{};
    SkinNineGridRef nineGrid2{};
    std::array<SkinImageRef, 12> stateImages{};
    SkinNineGridRef nineGrid3{};
};
