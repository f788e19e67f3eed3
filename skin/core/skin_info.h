// Type 25: who made the skin, and whether its images have a transparent key colour
// (colour 3 of the base record).
#pragma once

#include "skin/core/skin_object.h"

class SkinInfo final : public SkinObject {
public:
    static constexpr std::uint32_t kTypeId = 25;

    SkinInfo();
    void VisitFields(SkinFieldVisitor& v) override;

    COLORREF KeyColor() const { return color3; }

    FixedText<51> author{};
    FixedText<51> description{};
    FixedText<51> application{};
    std::uint32_t useTransparentColor = 1;
    FixedText<51> email{};
    FixedText<51> homePage{};
};

class SkinData;

// Whether a skin keys its images, and by which colour: from its skin-information object;
// without one, no keying and the default key.
struct SkinTransparency {
    bool enabled = false;
    COLORREF key = SkinObject::kKeyColor;
};
SkinTransparency TransparencyOf(SkinData* skin);
