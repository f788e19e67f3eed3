#include "skin/core/check_box_skin.h"

#include <string>

CheckBoxSkin::CheckBoxSkin(std::uint32_t typeId) : ControlSkin(typeId) {
    AddProperty(SkinPropertyKind::Boolean, "TRANSPARENT", transparent);
    for (int s = 0; s < kStateCount; ++s) {
        const std::string state = kStateNames[s];
        // The property covers the image-reference part of the stored nine-grid.
        AddProperty(SkinPropertyKind::ImageRef, state + ".BACKGROUNDIMAGE", "",
                    &states[s].background, SkinImageRef::kStoredSize);
        AddProperty(SkinPropertyKind::ImageRef, state + ".BOXIMAGE", states[s].box);
        AddProperty(SkinPropertyKind::TextEffect, state + ".TEXTEFFECT", states[s].effect);
    }
}

void CheckBoxSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    for (int s = 0; s < kStateCount; ++s) {
        v.Enter(kStateNames[s]);
        skin_fields::NineGrid(v, states[s].background, "background");
        skin_fields::ImageRef(v, states[s].box, "box");
        skin_fields::TextEffect(v, states[s].effect, "effect");
        skin_fields::Bytes(v, states[s].reserved, "reserved");
        v.Leave();
    }
    skin_fields::Text(v, extraText, "text50");
    v.U32(transparent, "TRANSPARENT");
    if (v.Reading() && !HasOwnTextEffects(v)) {
        for (auto& state : states)
            state.effect = SkinTextEffect::Default();
        transparent = 0;
    }
}
