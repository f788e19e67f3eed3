// Type 6: combo boxes: thumb images by state and the colours of focus and disabled state.
#pragma once

#include "skin/core/control_skin.h"

class ComboBoxSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 6;
    enum Thumb { Normal, Pressed, Hovered, Disabled, kThumbCount };

    ComboBoxSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    std::array<SkinNineGridRef, kThumbCount> thumbs{};
    COLORREF focusColor;
    COLORREF disabledBackground;
    COLORREF disabledText;
    COLORREF focusTextColor;
};
