// Type 17: popup menus: a nine-part frame with item colours and images.
#pragma once

#include "skin/core/nine_part_frame_skin.h"

class PopupMenuSkin final : public NinePartFrameSkin {
public:
    static constexpr std::uint32_t kTypeId = 17;

    PopupMenuSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    // The second u32 of each block is the text colour of normal, disabled and hot items.
    std::array<std::array<std::uint8_t, 16>, 3> itemBlocks{};
    COLORREF itemActiveColor = 0xFAE6E6;
    COLORREF itemSeparatorColor = 0;
    SkinNineGridRef itemSeparatorImage{};
    SkinNineGridRef itemActiveImage{};
    SkinImageRef submenuImage{};
    SkinImageRef checkImage{};
};
