// Type 12: scroll bars: arrows, track and thumb per state, the gripper and five values.
#pragma once

#include "skin/core/control_skin.h"

class ScrollBarSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 12;
    enum State { Normal, Pressed, Highlighted, Disabled, kStateCount };
    static constexpr const char* kStateNames[kStateCount] = {"NORMAL", "PRESSED", "HIGHLIGHTED",
                                                             "DISABLED"};

    // 320 bytes.
    struct StateImages {
        SkinImageRef arrow1{};
        SkinImageRef arrow2{};
        SkinNineGridRef track{};
        SkinNineGridRef thumb{};
    };

    ScrollBarSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    std::array<StateImages, kStateCount> states{};
    SkinImageRef gripper{};
    std::array<std::uint32_t, 5> values{0, 100, 10, 1, 10};
};
