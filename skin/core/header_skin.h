// Type 37: list headers: item image and text effect.
#pragma once

#include "skin/core/control_skin.h"

class HeaderSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 37;

    HeaderSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    SkinTextEffect effect = SkinTextEffect::Default();
    SkinNineGridRef itemImage{};
};
