// Type 14: static text and pictures.
#pragma once

#include "skin/core/control_skin.h"

class StaticSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 14;

    StaticSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    std::uint32_t transparent = 1;
    SkinTextEffect effect = SkinTextEffect::Default();
    FixedText<51> extraText{};
};
