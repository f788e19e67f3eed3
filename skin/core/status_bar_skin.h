// Type 15: status bars.
#pragma once

#include "skin/core/control_skin.h"

class StatusBarSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 15;

    StatusBarSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    SkinNineGridRef itemImage{};
    SkinImageRef extraImage{};
};
