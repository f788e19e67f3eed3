// Type 16: tab controls: tab image and text effect per state, and the frame.
#pragma once

#include "skin/core/control_skin.h"

class TabSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 16;
    enum State { Normal, Pressed, Disabled, Hovered, kStateCount };
    static constexpr const char* kStateNames[kStateCount] = {"NORMAL", "PRESSED", "DISABLED",
                                                             "HOVERED"};

    TabSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    std::array<SkinStateImage, kStateCount> states;
    SkinNineGridRef frame{};
    std::uint32_t transparent = 0;
};
