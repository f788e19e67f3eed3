#include "skin/core/popup_menu_skin.h"

namespace {

// A 278 x 152 design with 4-pixel borders.
constexpr std::array<RECT, NinePartFrameSkin::kPartCount> kMenuParts{{
    {0, 0, 4, 4},
    {4, 0, 274, 4},
    {274, 0, 278, 4},
    {0, 4, 4, 148},
    {4, 4, 274, 148},
    {274, 4, 278, 148},
    {0, 148, 4, 152},
    {4, 148, 274, 152},
    {274, 148, 278, 152},
}};

// Some of these names carry lower-case letters; lookups by upper-cased name miss them.
constexpr const char* kPartNames[NinePartFrameSkin::kPartCount] = {
    "FRAME.TOPLEFT",    "FRAME.MIDDLETOP",    "FRAME.TOPRIGHT",
    "FRAME.MIDDLELEFT", "FRAME.ClIENT",       "FRAME.MIDDLERIGHT",
    "FRAME.BOTTOMLEFt", "FRAME.BOTTOMMIDDLE", "FRAME.BOTtoMRIGHT"};

} // namespace

PopupMenuSkin::PopupMenuSkin() : NinePartFrameSkin(kTypeId) {
    partRects = kMenuParts;
    frameColor1 = 0xE2B61D;
    for (int i = 0; i < kPartCount; ++i)
        AddProperty(SkinPropertyKind::ImageRef, kPartNames[i], partImages[i]);
    AddProperty(SkinPropertyKind::Color, "FRAME.COLOR", frameColor1);
    AddProperty(SkinPropertyKind::Font, "ITEM.FONT", font);
    AddProperty(SkinPropertyKind::Color, "ITEM.ACTIVECOLOR", itemActiveColor);
    AddProperty(SkinPropertyKind::Color, "ITEM.SEPARATORCOLOR", itemSeparatorColor);
    AddProperty(SkinPropertyKind::NineGrid, "ITEM.ACTIVEIMAGE", itemActiveImage);
    AddProperty(SkinPropertyKind::NineGrid, "ITEM.SEPARATORIMAGE", itemSeparatorImage);
    AddProperty(SkinPropertyKind::ImageRef, "ITEM.SUBMENU", submenuImage);
    AddProperty(SkinPropertyKind::ImageRef, "ITEM.CHECKIMAGE", checkImage);
}

void PopupMenuSkin::VisitFields(SkinFieldVisitor& v) {
    NinePartFrameSkin::VisitFields(v);
    for (auto& block : itemBlocks)
        skin_fields::Bytes(v, block, "itemblock");
    skin_fields::Color(v, itemActiveColor, "ITEM.ACTIVECOLOR");
    skin_fields::Color(v, itemSeparatorColor, "ITEM.SEPARATORCOLOR");
    skin_fields::NineGrid(v, itemSeparatorImage, "ITEM.SEPARATORIMAGE");
    skin_fields::NineGrid(v, itemActiveImage, "ITEM.ACTIVEIMAGE");
    skin_fields::ImageRef(v, submenuImage, "ITEM.SUBMENU");
    if (v.Minor() >= 3)
        skin_fields::ImageRef(v, checkImage, "ITEM.CHECKIMAGE");
}
