#include "skin/core/control_skin.h"

ControlSkin::ControlSkin(std::uint32_t typeId) : SkinObject(typeId) {
    AddProperty(SkinPropertyKind::Font, "FONT", font);
    AddProperty(SkinPropertyKind::ControlId, "CONTROLID", controlId);
    AddProperty(SkinPropertyKind::Boolean, "AUTOSKINFONT", autoSkinFont);
}

ControlSkin::~ControlSkin() {
    ReleaseResources();
}

void ControlSkin::ReleaseResources() {
    SkinObject::ReleaseResources();
    if (createdFont)
        DeleteObject(createdFont);
    createdFont = nullptr;
}

void ControlSkin::Bind(SkinData& skin) {
    SkinObject::Bind(skin);
    HFONT previous = createdFont;
    createdFont = CreateFontIndirectA(&font.font);
    if (previous)
        DeleteObject(previous);
}

void ControlSkin::VisitFields(SkinFieldVisitor& v) {
    SkinObject::VisitFields(v);
    VisitControlPart(v);
}

void ControlSkin::VisitControlPart(SkinFieldVisitor& v) {
    const int r = v.Minor();
    skin_fields::Font(v, font, "FONT");
    skin_fields::NineGrid(v, background, "background");
    if (r >= 4 && r <= 7) {
        RECT discarded{};
        skin_fields::Rect(v, discarded, "oldrect");
        if (v.Reading())
            rect = kDefaultRect;
    }
    if (r >= 6)
        v.U32(controlId, "CONTROLID");
    if (r == 6 && v.Reading())
        controlId = 0;
    if (r >= 8)
        v.U32(optionValue, "option");
    if (r >= 10)
        v.U32(autoSkinFont, "AUTOSKINFONT");
}

void SkinStateImage::Visit(SkinFieldVisitor& v, std::string_view label) {
    v.Enter(label);
    skin_fields::NineGrid(v, image, "image");
    skin_fields::TextEffect(v, effect, "effect");
    skin_fields::Bytes(v, reserved, "reserved");
    v.Leave();
}
