// The common base of every control object: font, background nine-grid, control id.
#pragma once

#include "skin/core/skin_object.h"

class ControlSkin : public SkinObject {
public:
    explicit ControlSkin(std::uint32_t typeId);
    ~ControlSkin() override;

    void ReleaseResources() override;
    void Bind(SkinData& skin) override;
    void VisitFields(SkinFieldVisitor& v) override;

    SkinFontSlot font = DefaultControlFont();
    SkinNineGridRef background{};
    std::uint32_t controlId = 0;
    std::uint32_t optionValue = 0;
    std::uint32_t autoSkinFont = 0;

    HFONT createdFont = nullptr;

protected:
    // Text effects were given their own colours from revision 9 on; older ones are redrawn
    // from the defaults.
    static bool HasOwnTextEffects(const SkinFieldVisitor& v) { return v.Minor() >= 9; }
    void VisitControlPart(SkinFieldVisitor& v);
};

// A button-like state: nine-grid image, text effect, 16 reserved bytes (120 bytes).
struct SkinStateImage {
    SkinNineGridRef image{};
    SkinTextEffect effect = SkinTextEffect::Default();
    std::array<std::uint8_t, 16> reserved{};

    void Visit(SkinFieldVisitor& v, std::string_view label);
};
