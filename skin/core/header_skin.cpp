#include "skin/core/header_skin.h"

HeaderSkin::HeaderSkin() : ControlSkin(kTypeId) {
    AddProperty(SkinPropertyKind::NineGrid, "BACKGROUND", background);
    AddProperty(SkinPropertyKind::NineGrid, "ITEM", itemImage);
    AddProperty(SkinPropertyKind::TextEffect, "TEXTEFFECT", effect);
}

void HeaderSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    skin_fields::TextEffect(v, effect, "TEXTEFFECT");
    skin_fields::NineGrid(v, itemImage, "ITEM");
}
