// Type 27: up-down controls: up and down arrows per state.
#pragma once

#include "skin/core/control_skin.h"

class SpinSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 27;
    enum State { Normal, Hover, Pressed, Disabled, kStateCount };
    static constexpr const char* kStateNames[kStateCount] = {"NORMAL", "HOVER", "PRESSED",
                                                             "DISABLED"};

    struct StateImages {
        SkinImageRef up{};
        SkinImageRef down{};
    };

    SpinSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    std::array<StateImages, kStateCount> states{};
};
