#include "skin/core/bordered_control_skin.h"

#include "skin/core/skin_system_colors.h"

bool BorderedControlSkin::HandlesType(std::uint32_t typeId) {
    return typeId == kEdit || typeId == kListBox || typeId == kIpAddress || typeId == kListView ||
           typeId == kTreeView || typeId == kRichEdit;
}

BorderedControlSkin::BorderedControlSkin(std::uint32_t typeId) : ControlSkin(typeId) {
    SetSystemColors();
    AddProperty(SkinPropertyKind::NineGrid, "BORDER", background);
    AddProperty(SkinPropertyKind::Color, "DISABLEDCOLOR", color1);
    AddProperty(SkinPropertyKind::Color, "BACKCOLOR", color1);
    AddProperty(SkinPropertyKind::ImageRef, "BACKGROUND", backgroundImage);
}

void BorderedControlSkin::SetSystemColors() {
    color1 = SkinSystemColor(SkinSysColor::Window);
    color2 = SkinSystemColor(SkinSysColor::WindowText);
    color3 = SkinSystemColor(SkinSysColor::BtnFace);
}

void BorderedControlSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    skin_fields::ImageRef(v, backgroundImage, "BACKGROUND");
    if (v.Reading() && v.Minor() < 11)
        SetSystemColors();
}
