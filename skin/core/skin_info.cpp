#include "skin/core/skin_info.h"

#include "skin/core/skin_data.h"

SkinInfo::SkinInfo() : SkinObject(kTypeId) {
    SetText(author, "Glazework Builder");
    SetText(description, "Glazework Skin File");
    SetText(email, "support@glazework.example");
    SetText(homePage, "http://www.glazework.example/");
    AddProperty(SkinPropertyKind::String, "AUTHOR", author);
    AddProperty(SkinPropertyKind::String, "DESCRIPTION", description);
    AddProperty(SkinPropertyKind::String, "APPLICATION", application);
    AddProperty(SkinPropertyKind::Boolean, "USETRANSPARENTCOLOR", useTransparentColor);
    AddProperty(SkinPropertyKind::String, "EMAIL", email);
    AddProperty(SkinPropertyKind::String, "HOMEPAGE", homePage);
}

void SkinInfo::VisitFields(SkinFieldVisitor& v) {
    SkinObject::VisitFields(v);
    skin_fields::Text(v, author, "AUTHOR");
    skin_fields::Text(v, description, "DESCRIPTION");
    skin_fields::Text(v, application, "APPLICATION");
    v.U32(useTransparentColor, "USETRANSPARENTCOLOR");
    if (v.Minor() < 4)
        return;
    skin_fields::Text(v, email, "EMAIL");
    skin_fields::Text(v, homePage, "HOMEPAGE");
}

SkinTransparency TransparencyOf(SkinData* skin) {
    auto* info =
        skin ? dynamic_cast<SkinInfo*>(skin->FindElementByType(SkinInfo::kTypeId)) : nullptr;
    if (!info)
        return {};
    return {info->useTransparentColor != 0, info->KeyColor()};
}
