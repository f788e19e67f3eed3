// Type 38: a frame element drawn as text.
#pragma once

#include "skin/core/frame_child_skin.h"

class FrameTextSkin final : public FrameChildSkin {
public:
    static constexpr std::uint32_t kTypeId = 38;
    static constexpr std::uint32_t kOwnerText = 1;
    static constexpr std::uint32_t kOwnerDrawn = 11;

    FrameTextSkin();
    ~FrameTextSkin() override;

    void ReleaseResources() override;
    void Bind(SkinData& skin) override;
    void VisitFields(SkinFieldVisitor& v) override;

    std::uint32_t textKind = 0;
    // Left, top, right, bottom, and one more.
    std::array<std::uint32_t, 5> anchors{};
    std::uint32_t regionMode = 0;
    SkinFontSlot font = SkinFontSlot::Make("MS Sans Serif", -12, 400);
    SkinTextEffect effect{};
    FixedText<51> staticText{};
    std::uint32_t horizontalAlign = 0;
    std::uint32_t verticalAlign = 1;

    SkinBoundImage boundImage{};
};
