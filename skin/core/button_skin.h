// Type 4: push buttons, one image and text effect per state.
#pragma once

#include "skin/core/control_skin.h"

class ButtonSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 4;
    enum State { Normal, Pressed, Default, Focused, Highlighted, Disabled, kStateCount };
    static constexpr const char* kStateNames[kStateCount] = {"NORMAL",  "PRESSED",     "DEFAULT",
                                                             "FOCUSED", "HIGHLIGHTED", "DISABLED"};
    static constexpr std::uint32_t kOldFormatDefault = 1000;

    ButtonSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    std::array<SkinStateImage, kStateCount> states;
    FixedText<50> extraText{};
    std::uint32_t extraValue1 = 0;
    std::uint32_t extraValue2 = 0;
    // Present only in files before revision 7.
    std::uint32_t oldFormatValue = kOldFormatDefault;
};
