#include "skin/core/tab_skin.h"

#include <string>

TabSkin::TabSkin() : ControlSkin(kTypeId) {
    AddProperty(SkinPropertyKind::Boolean, "TRANSPARENT", transparent);
    AddProperty(SkinPropertyKind::NineGrid, "BACKGROUND", background);
    AddProperty(SkinPropertyKind::NineGrid, "FRAME", frame);
    for (int s = 0; s < kStateCount; ++s) {
        const std::string state = kStateNames[s];
        AddProperty(SkinPropertyKind::NineGrid, state + ".TABIMAGE", states[s].image);
        AddProperty(SkinPropertyKind::TextEffect, state + ".TEXTEFFECT", states[s].effect);
    }
}

void TabSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    for (int s = 0; s < kStateCount; ++s)
        states[s].Visit(v, kStateNames[s]);
    skin_fields::NineGrid(v, frame, "FRAME");
    if (v.Minor() >= 9)
        v.U32(transparent, "TRANSPARENT");
}
