#include "skin/core/frame_text_skin.h"

FrameTextSkin::FrameTextSkin() : FrameChildSkin(kTypeId) {}

FrameTextSkin::~FrameTextSkin() {
    boundImage.Release();
}

void FrameTextSkin::ReleaseResources() {
    boundImage.Release();
    FrameChildSkin::ReleaseResources();
}

void FrameTextSkin::Bind(SkinData& skin) {
    boundImage.Release();
    BindImageRef(skin, image, boundImage);
    FrameChildSkin::Bind(skin);
}

void FrameTextSkin::VisitFields(SkinFieldVisitor& v) {
    FrameChildSkin::VisitFields(v);
    v.U32(textKind, "textkind");
    for (auto& anchor : anchors)
        v.U32(anchor, "anchor");
    v.U32(regionMode, "regionmode");
    skin_fields::Font(v, font, "font");
    skin_fields::TextEffect(v, effect, "effect");
    skin_fields::Text(v, staticText, "text");
    v.U32(horizontalAlign, "halign");
    v.U32(verticalAlign, "valign");
}
