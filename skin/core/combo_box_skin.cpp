#include "skin/core/combo_box_skin.h"

#include "skin/core/skin_system_colors.h"

namespace {

void SetSystemTextColors(SkinObject& object) {
    object.color1 = SkinSystemColor(SkinSysColor::Window);
    object.color2 = SkinSystemColor(SkinSysColor::WindowText);
}

} // namespace

ComboBoxSkin::ComboBoxSkin()
    : ControlSkin(kTypeId), focusColor(SkinSystemColor(SkinSysColor::Highlight)),
      disabledBackground(SkinSystemColor(SkinSysColor::BtnFace)),
      disabledText(SkinSystemColor(SkinSysColor::GrayText)),
      focusTextColor(SkinSystemColor(SkinSysColor::HighlightText)) {
    SetSystemTextColors(*this);
    AddProperty(SkinPropertyKind::NineGrid, "THUMB.NORMAL", thumbs[Normal]);
    AddProperty(SkinPropertyKind::NineGrid, "THUMB.PRESSED", thumbs[Pressed]);
    AddProperty(SkinPropertyKind::NineGrid, "THUMB.HOVERED", thumbs[Hovered]);
    AddProperty(SkinPropertyKind::NineGrid, "THUMB.DISABLED", thumbs[Disabled]);
    AddProperty(SkinPropertyKind::Color, "COLOR.FOCUS", focusColor);
    AddProperty(SkinPropertyKind::Color, "COLOR.FOCUSTEXTCOLOR", focusTextColor);
    AddProperty(SkinPropertyKind::Color, "COLOR.DISABLEDBACKGROUND", disabledBackground);
    AddProperty(SkinPropertyKind::Color, "COLOR.DISABLEDTEXT", disabledText);
    AddProperty(SkinPropertyKind::Color, "COLOR.BACKCOLOR", color1);
    AddProperty(SkinPropertyKind::Color, "COLOR.TEXTCOLOR", color2);
}

void ComboBoxSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    skin_fields::NineGrid(v, thumbs[Normal], "THUMB.NORMAL");
    skin_fields::NineGrid(v, thumbs[Pressed], "THUMB.PRESSED");
    skin_fields::NineGrid(v, thumbs[Hovered], "THUMB.HOVERED");
    skin_fields::NineGrid(v, thumbs[Disabled], "THUMB.DISABLED");
    skin_fields::Color(v, focusColor, "COLOR.FOCUS");
    skin_fields::Color(v, disabledBackground, "COLOR.DISABLEDBACKGROUND");
    skin_fields::Color(v, disabledText, "COLOR.DISABLEDTEXT");
    skin_fields::Color(v, focusTextColor, "COLOR.FOCUSTEXTCOLOR");
    // Colours of older files were never edited; the system's are the intended ones.
    if (v.Reading() && v.Minor() < 11)
        SetSystemTextColors(*this);
}
