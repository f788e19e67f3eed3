#include "skin/core/animate_skin.h"

AnimateSkin::AnimateSkin() : ControlSkin(kTypeId) {
    SetName("AnimateCtrl32");
    AddProperty(SkinPropertyKind::NineGrid, "BORDER", background);
    AddProperty(SkinPropertyKind::ImageRef, "BACKGROUND", backgroundImage);
}

void AnimateSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    skin_fields::ImageRef(v, backgroundImage, "BACKGROUND");
}
