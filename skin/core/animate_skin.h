// Type 40: animation controls.
#pragma once

#include "skin/core/control_skin.h"

class AnimateSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 40;

    AnimateSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    SkinImageRef backgroundImage{};
};
