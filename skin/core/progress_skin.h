// Type 10: progress bars: the bar image and colours.
#pragma once

#include "skin/core/control_skin.h"

class ProgressSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 10;

    ProgressSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    SkinNineGridRef progressImage{};
    std::uint32_t value1 = 0;
    std::uint32_t value2 = 0;
    std::uint32_t usePercent = 0;
};
