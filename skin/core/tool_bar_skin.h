// Type 23: toolbars (five nine-grids); type 24: control bars, the control part alone.
#pragma once

#include "skin/core/control_skin.h"

class ToolBarSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 23;

    ToolBarSkin() : ControlSkin(kTypeId) {}
    void VisitFields(SkinFieldVisitor& v) override;

    std::array<SkinNineGridRef, 5> images{};
};

class ControlBarSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 24;
    ControlBarSkin() : ControlSkin(kTypeId) {}
};
