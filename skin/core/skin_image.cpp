#include "skin/core/skin_image.h"

SkinImage::SkinImage() : SkinObject(kTypeId) {}

SkinImage::~SkinImage() {
    if (bitmap)
        DeleteObject(bitmap);
}

void SkinImage::VisitFields(SkinFieldVisitor& v) {
    SkinObject::VisitFields(v);
    std::uint32_t length = static_cast<std::uint32_t>(encoded.size());
    v.U32(length, "length");
    v.U32(format, "format");
    v.Blob(encoded, length, "bytes");
    if (v.Reading())
        Decode();
}

bool SkinImage::Decode() {
    image.Destroy();
    if (encoded.empty())
        return false;
    return image.DecodeFromMemory(encoded.data(), static_cast<DWORD>(encoded.size()), format);
}
