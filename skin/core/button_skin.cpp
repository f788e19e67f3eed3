#include "skin/core/button_skin.h"

#include <string>

ButtonSkin::ButtonSkin() : ControlSkin(kTypeId) {
    for (int s = 0; s < kStateCount; ++s) {
        const std::string state = kStateNames[s];
        AddProperty(SkinPropertyKind::NineGrid, state + ".IMAGE", states[s].image);
        AddProperty(SkinPropertyKind::TextEffect, state + ".TEXTEFFECT", states[s].effect);
    }
}

void ButtonSkin::VisitFields(SkinFieldVisitor& v) {
    const bool controlPartFirst = v.Minor() >= 7;
    if (controlPartFirst)
        ControlSkin::VisitFields(v);
    else
        SkinObject::VisitFields(v);
    for (int s = 0; s < kStateCount; ++s)
        states[s].Visit(v, kStateNames[s]);
    skin_fields::Text(v, extraText, "text50");
    v.U32(extraValue1, "value1");
    if (!controlPartFirst)
        skin_fields::Font(v, font, "FONT");
    v.U32(extraValue2, "value2");
    if (!controlPartFirst)
        v.U32(oldFormatValue, "oldvalue");
    if (v.Reading() && !HasOwnTextEffects(v)) {
        for (auto& state : states) {
            state.effect = SkinTextEffect::Default();
            state.effect.SetTextColor(font.color);
        }
    }
}
