#include "skin/core/skin_image.h"

SkinImage::SkinImage() : SkinObject(kTypeId) {}

SkinImage::~SkinImage() = default;

void SkinImage::VisitFields(SkinFieldVisitor& v) {
    SkinObject::VisitFields(v);
    std::uint32_t length = static_cast<std::uint32_t>(encoded.size());
    v.U32(length, "length");
    v.U32(format, "format");
    v.Blob(encoded, length, "bytes");
}
