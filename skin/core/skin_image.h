// Type 18: one image of the skin, kept as the bytes of its encoded file.
#pragma once

#include "skin/core/skin_object.h"

#include <vector>

class SkinImage final : public SkinObject {
public:
    static constexpr std::uint32_t kTypeId = 18;
    static constexpr std::uint32_t kFormatBmp = 1;

    SkinImage();
    ~SkinImage() override;

    void VisitFields(SkinFieldVisitor& v) override;

    std::uint32_t format = kFormatBmp;
    std::vector<std::uint8_t> encoded;
    HBITMAP bitmap = nullptr;
};
