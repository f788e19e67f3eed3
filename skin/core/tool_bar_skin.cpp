#include "skin/core/tool_bar_skin.h"

void ToolBarSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    for (auto& image : images)
        skin_fields::NineGrid(v, image, "image");
}
