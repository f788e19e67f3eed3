#include "skin/core/frame_skin.h"

#include <string>

namespace {

constexpr const char* kPartNames[NinePartFrameSkin::kPartCount] = {
    "TOPLEFT",     "MIDDLETOP",  "TOPRIGHT",     "MIDDLELEFT", "CLIENT",
    "MIDDLERIGHT", "BOTTOMLEFT", "BOTTOMMIDDLE", "BOTTOMRIGHT"};

} // namespace

FrameSkin::FrameSkin() : NinePartFrameSkin(kTypeId) {
    for (int i = 0; i < kPartCount; ++i) {
        AddProperty(SkinPropertyKind::ImageRef, std::string("ACTIVEFRAME.") + kPartNames[i],
                    partImages[i]);
        AddProperty(SkinPropertyKind::ImageRef, std::string("DEACTIVEFRAME.") + kPartNames[i],
                    partImages[kPartCount + i]);
    }
    AddProperty(SkinPropertyKind::Color, "ACTIVEFRAME.COLOR", frameColor1);
    AddProperty(SkinPropertyKind::Color, "DEACTIVEFRAME.COLOR", frameColor2);
    AddProperty(SkinPropertyKind::Font, "CAPTIONFONT", font);
    AddProperty(SkinPropertyKind::Boolean, "SKINCLIENT", skinClient);
    AddProperty(SkinPropertyKind::ImageRef, "MDICLIENT", mdiClientImage);
}

void FrameSkin::VisitFields(SkinFieldVisitor& v) {
    NinePartFrameSkin::VisitFields(v);
    std::uint32_t elementType = FontElementSkin::kTypeId;
    v.U32(elementType, "elementtype");
    fontElement.VisitFields(v);
    if (v.Minor() < 6)
        return;
    v.U32(skinClient, "SKINCLIENT");
    skin_fields::ImageRef(v, mdiClientImage, "MDICLIENT");
}
