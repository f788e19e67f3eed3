// Type 36: rebars: band image and the block the band text colour comes from.
#pragma once

#include "skin/core/control_skin.h"

class ReBarSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 36;

    ReBarSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    SkinNineGridRef bandImage{};
    std::array<std::uint8_t, 16> bandBlock{};
};
