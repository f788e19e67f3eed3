// Type 100: a control object that carries a list of free-form named entries.
#pragma once

#include "skin/core/control_skin.h"

#include <memory>
#include <vector>

class CustomSkinObject final : public ControlSkin {
public:
    static constexpr std::uint32_t kTypeId = 100;

    CustomSkinObject() : ControlSkin(kTypeId) {}
    ~CustomSkinObject() override;

    // Takes the place of the property lookup: the kind of the entry of that name.
    std::uint32_t GetPropertyKind(std::string_view entryName) const override;
    void VisitFields(SkinFieldVisitor& v) override;

    // The first entry whose name equals `entryName` ignoring case, or null.
    const SkinProperty* FindEntry(std::string_view entryName) const;
    void ClearEntries() { entries.clear(); }

    FixedText<51> customText{};
    std::vector<std::unique_ptr<SkinProperty>> entries;
};
