#include "skin/core/frame_child_skin.h"

FrameChildSkin::FrameChildSkin(std::uint32_t typeId) : SkinObject(typeId) {
    rect = kDefaultElementRect;
}

void FrameChildSkin::VisitFields(SkinFieldVisitor& v) {
    SkinObject::VisitFields(v);
    skin_fields::ImageRef(v, image, "image");
    // Before revision 8 the element carried its rectangle here instead of in the base.
    if (v.Minor() < 8)
        skin_fields::Rect(v, rect, "rect");
    v.U32(anchorMode, "anchor");
    v.U32(commandId, "command");
    if (v.Minor() < 11)
        return;
    v.U32(visibilityRule, "visibility");
    skin_fields::Text(v, secondText, "text2");
}
