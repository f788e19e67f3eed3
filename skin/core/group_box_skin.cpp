#include "skin/core/group_box_skin.h"

#include "skin/core/skin_system_colors.h"

GroupBoxSkin::GroupBoxSkin()
    : ControlSkin(kTypeId), captionColor(SkinSystemColor(SkinSysColor::BtnFace)) {
    AddProperty(SkinPropertyKind::NineGrid, "FRAMEIMAGE", background);
    AddProperty(SkinPropertyKind::NineGrid, "CAPTIONIMAGE", captionImage);
    AddProperty(SkinPropertyKind::Color, "CAPTIONCOLOR", captionColor);
    AddProperty(SkinPropertyKind::TextEffect, "TEXTEFFECT", effect);
    AddProperty(SkinPropertyKind::Boolean, "TRANSPARENT", transparent);
}

void GroupBoxSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    skin_fields::NineGrid(v, captionImage, "CAPTIONIMAGE");
    skin_fields::Color(v, captionColor, "CAPTIONCOLOR");
    skin_fields::TextEffect(v, effect, "TEXTEFFECT");
    v.U32(transparent, "TRANSPARENT");
    if (v.Reading() && !HasOwnTextEffects(v)) {
        effect = SkinTextEffect::Default();
        transparent = 0;
    }
}
