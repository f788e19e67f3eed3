// Type 13: trackbars: thumbs, channel and five values.
#pragma once

#include "skin/core/control_skin.h"

class SliderSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 13;

    SliderSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    SkinNineGridRef horizontalThumb{};
    std::array<std::uint32_t, 5> values{};
    SkinNineGridRef channel{};
    std::uint32_t transparent = 0;
    SkinNineGridRef verticalThumb{};
};
