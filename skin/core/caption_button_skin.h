// Type 3: a caption button of a frame.
#pragma once

#include "skin/core/frame_child_skin.h"

class CaptionButtonSkin final : public FrameChildSkin {
public:
    static constexpr std::uint32_t kTypeId = 3;
    enum Kind : std::uint32_t {
        Custom,
        Close,
        WindowIcon,
        MaximizeRestore,
        MinimizeRestore,
        SystemMenu
    };

    CaptionButtonSkin() : FrameChildSkin(kTypeId) {}
    void VisitFields(SkinFieldVisitor& v) override;

    std::array<SkinImageRef, 3> stateImages{};
    std::uint32_t buttonKind = Custom;
    std::uint32_t toggle = 0;
};
