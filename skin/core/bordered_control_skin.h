// Types 7, 9, 26, 28, 29, 30: controls drawn inside a border (edit, list box, IP address,
// list view, tree view, rich edit); the object keeps the type id it was made for.
#pragma once

#include "skin/core/control_skin.h"

class BorderedControlSkin final : public ControlSkin {
public:
    static constexpr std::uint32_t kEdit = 7;
    static constexpr std::uint32_t kListBox = 9;
    static constexpr std::uint32_t kIpAddress = 26;
    static constexpr std::uint32_t kListView = 28;
    static constexpr std::uint32_t kTreeView = 29;
    static constexpr std::uint32_t kRichEdit = 30;
    static bool HandlesType(std::uint32_t typeId);

    explicit BorderedControlSkin(std::uint32_t typeId);
    void VisitFields(SkinFieldVisitor& v) override;

    SkinImageRef backgroundImage{};

private:
    void SetSystemColors();
};
