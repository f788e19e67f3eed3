#include "skin/core/status_bar_skin.h"

StatusBarSkin::StatusBarSkin() : ControlSkin(kTypeId) {
    AddProperty(SkinPropertyKind::NineGrid, "BACKIMAGE", background);
    AddProperty(SkinPropertyKind::NineGrid, "ITEM.ITEMIMAGE", itemImage);
    AddProperty(SkinPropertyKind::Font, "ITEM.FONT", font);
}

void StatusBarSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    skin_fields::NineGrid(v, itemImage, "ITEM.ITEMIMAGE");
    skin_fields::ImageRef(v, extraImage, "image");
}
