#include "skin/core/slider_skin.h"

SliderSkin::SliderSkin() : ControlSkin(kTypeId) {
    AddProperty(SkinPropertyKind::Boolean, "TRANSPARENT", transparent);
    AddProperty(SkinPropertyKind::NineGrid, "BACKGROUND", background);
    AddProperty(SkinPropertyKind::NineGrid, "CHANNEL", channel);
    AddProperty(SkinPropertyKind::NineGrid, "THUMB.VERTICAL", verticalThumb);
    AddProperty(SkinPropertyKind::NineGrid, "THUMB.HORIZONTAL", horizontalThumb);
}

void SliderSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    skin_fields::NineGrid(v, horizontalThumb, "THUMB.HORIZONTAL");
    for (auto& value : values)
        v.U32(value, "value");
    skin_fields::NineGrid(v, channel, "CHANNEL");
    if (v.Minor() < 9)
        return;
    v.U32(transparent, "TRANSPARENT");
    skin_fields::NineGrid(v, verticalThumb, "THUMB.VERTICAL");
}
