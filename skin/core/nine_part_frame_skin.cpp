#include "skin/core/nine_part_frame_skin.h"

namespace {

// A 276 x 160 design with a 30-pixel caption row.
constexpr std::array<RECT, NinePartFrameSkin::kPartCount> kDefaultParts{{
    {0, 0, 86, 30},
    {86, 0, 173, 30},
    {173, 0, 276, 30},
    {0, 30, 10, 148},
    {10, 30, 266, 148},
    {266, 30, 276, 148},
    {0, 148, 10, 160},
    {10, 148, 266, 160},
    {266, 148, 276, 160},
}};

} // namespace

NinePartFrameSkin::NinePartFrameSkin(std::uint32_t typeId)
    : SkinObject(typeId), partRects(kDefaultParts) {}

NinePartFrameSkin::~NinePartFrameSkin() {
    for (auto& bound : boundImages)
        bound.Release();
}

void NinePartFrameSkin::ReleaseResources() {
    for (auto& bound : boundImages)
        bound.Release();
    SkinObject::ReleaseResources();
}

void NinePartFrameSkin::Bind(SkinData& skin) {
    ReleaseResources();
    for (int i = 0; i < kPartImageCount; ++i)
        BindImageRef(skin, partImages[i], boundImages[i]);
    SkinObject::Bind(skin);
}

void NinePartFrameSkin::VisitFields(SkinFieldVisitor& v) {
    SkinObject::VisitFields(v);
    VisitFramePart(v);
}

void NinePartFrameSkin::VisitFramePart(SkinFieldVisitor& v) {
    for (auto& image : partImages)
        skin_fields::ImageRef(v, image, "partimage");
    for (auto& part : partRects)
        skin_fields::Rect(v, part, "partrect");
    skin_fields::Font(v, font, "font");
    v.U32(value1, "value1");
    v.U32(value2, "value2");
    skin_fields::Color(v, frameColor1, "framecolor1");
    skin_fields::Color(v, frameColor2, "framecolor2");
    skin_fields::Color(v, frameColor3, "framecolor3");
    if (v.Minor() < 3)
        return;
    skin_fields::TextEffect(v, effect, "effect");
    if (v.Reading() && v.Minor() < 9)
        effect = SkinTextEffect::Default();
}

RECT NinePartFrameSkin::GetBounds() const {
    return {0, 0, partRects[kPartCount - 1].right, partRects[kPartCount - 1].bottom};
}

RECT NinePartFrameSkin::GetPartRect(int index) const {
    return partRects.at(index);
}

SkinImageRef NinePartFrameSkin::GetPartImageRef(int index) const {
    return partImages.at(index);
}
