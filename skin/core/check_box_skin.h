// Types 5 and 11: check boxes and radio buttons, one background, box and text effect per
// state; both types store the same record.
#pragma once

#include "skin/core/control_skin.h"

class CheckBoxSkin : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 5;
    enum State {
        Normal,
        Selected,
        Disabled,
        GrayedNormal,
        GrayedSelected,
        HighlightedNormal,
        HighlightedSelected,
        kStateCount
    };
    static constexpr const char* kStateNames[kStateCount] = {
        "NORMAL",         "SELECTED",          "DISABLED",           "GRAYEDNORMAL",
        "GRAYEDSELECTED", "HIGHLIGHTEDNORMAL", "HIGHLIGHTEDSELECTED"};

    // 192 bytes: background nine-grid, box image, text effect, 16 reserved bytes.
    struct StateImages {
        SkinNineGridRef background{};
        SkinImageRef box{};
        SkinTextEffect effect = SkinTextEffect::Default();
        std::array<std::uint8_t, 16> reserved{};
    };

    CheckBoxSkin() : CheckBoxSkin(kTypeId) {}
    void VisitFields(SkinFieldVisitor& v) override;

    std::array<StateImages, kStateCount> states;
    FixedText<50> extraText{};
    std::uint32_t transparent = 0;

protected:
    explicit CheckBoxSkin(std::uint32_t typeId);
};

class RadioSkin final : public CheckBoxSkin {
public:
    static constexpr std::uint32_t kTypeId = 11;
    RadioSkin() : CheckBoxSkin(kTypeId) {}
};
