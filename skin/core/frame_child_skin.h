// The base of the elements that sit on a frame: caption buttons, the font element and the
// frame text element.
#pragma once

#include "skin/core/skin_object.h"

class FrameChildSkin : public SkinObject {
public:
    static constexpr RECT kDefaultElementRect{1, 1, 21, 21};
    static constexpr std::uint32_t kDefaultCommandId = 1000;

    explicit FrameChildSkin(std::uint32_t typeId);
    void VisitFields(SkinFieldVisitor& v) override;

    std::uint32_t anchorMode = 0;
    SkinImageRef image{};
    std::uint32_t commandId = kDefaultCommandId;
    std::uint32_t visibilityRule = 0;
    FixedText<51> secondText{};
};
