// Type 1: frame windows and dialogs ("MainFrame", "Dialog"): a nine-part frame with its
// embedded font element.
#pragma once

#include "skin/core/font_element_skin.h"
#include "skin/core/nine_part_frame_skin.h"

class FrameSkin final : public NinePartFrameSkin {
public:
    static constexpr std::uint32_t kTypeId = 1;

    FrameSkin();
    void VisitFields(SkinFieldVisitor& v) override;

    FontElementSkin fontElement;
    std::uint32_t skinClient = 0;
    SkinImageRef mdiClientImage{};
};
