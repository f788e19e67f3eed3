// Type 8: group boxes: frame and caption images, caption colour and text effect.
#pragma once

#include "skin/core/control_skin.h"

class GroupBoxSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 8;

    GroupBoxSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    SkinNineGridRef captionImage{};
    COLORREF captionColor;
    SkinTextEffect effect = SkinTextEffect::Default();
    std::uint32_t transparent = 0;
};
