#include "skin/core/progress_skin.h"

ProgressSkin::ProgressSkin() : ControlSkin(kTypeId) {
    AddProperty(SkinPropertyKind::NineGrid, "BACKGROUND", background);
    AddProperty(SkinPropertyKind::NineGrid, "PROGRESSIMAGE", progressImage);
    AddProperty(SkinPropertyKind::Color, "BACKCOLOR", color1);
    AddProperty(SkinPropertyKind::Color, "PROGRESSCOLOR", color2);
    AddProperty(SkinPropertyKind::Boolean, "USEPERCENT", usePercent);
}

void ProgressSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    skin_fields::NineGrid(v, progressImage, "PROGRESSIMAGE");
    v.U32(value1, "value1");
    v.U32(value2, "value2");
    v.U32(usePercent, "USEPERCENT");
}
