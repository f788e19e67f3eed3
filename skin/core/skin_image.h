// Type 18: one image of the skin: the bytes of its encoded file as the skin stores them,
// and the picture decoded from them.
#pragma once

#include "skin/core/skin_object.h"

#include "imagelib/px_image.h"

#include <vector>

class SkinImage final : public SkinObject {
public:
    static constexpr std::uint32_t kTypeId = 18;
    static constexpr std::uint32_t kFormatBmp = PXIMAGE_FORMAT_BMP;

    SkinImage();
    ~SkinImage() override;

    // Reading decodes the stored bytes; writing stores them as they were read or set.
    void VisitFields(SkinFieldVisitor& v) override;

    // Replaces the picture with one decoded from `encoded`; false when it does not decode.
    bool Decode();

    std::uint32_t format = kFormatBmp;
    std::vector<std::uint8_t> encoded;
    PxImage image;
    HBITMAP bitmap = nullptr;
};
