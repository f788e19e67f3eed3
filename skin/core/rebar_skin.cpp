#include "skin/core/rebar_skin.h"

ReBarSkin::ReBarSkin() : ControlSkin(kTypeId) {
    AddProperty(SkinPropertyKind::NineGrid, "BACKGROUND", background);
    AddProperty(SkinPropertyKind::NineGrid, "BANDIMAGE", bandImage);
}

void ReBarSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    skin_fields::NineGrid(v, bandImage, "BANDIMAGE");
    skin_fields::Bytes(v, bandBlock, "band");
}
