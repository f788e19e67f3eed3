#include "skin/core/static_skin.h"

StaticSkin::StaticSkin() : ControlSkin(kTypeId) {
    AddProperty(SkinPropertyKind::NineGrid, "BACKIMAGE", background);
    AddProperty(SkinPropertyKind::Boolean, "TRANSPARENT", transparent);
    AddProperty(SkinPropertyKind::Color, "BACKCOLOR", color1);
    AddProperty(SkinPropertyKind::TextEffect, "TEXTEFFECT", effect);
}

void StaticSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    v.U32(transparent, "TRANSPARENT");
    skin_fields::TextEffect(v, effect, "TEXTEFFECT");
    skin_fields::Text(v, extraText, "text51");
    if (v.Reading() && !HasOwnTextEffects(v)) {
        effect = SkinTextEffect::Default();
        effect.SetTextColor(font.color);
    }
}
