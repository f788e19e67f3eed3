#include "skin/core/scroll_bar_skin.h"

#include <string>

ScrollBarSkin::ScrollBarSkin() : ControlSkin(kTypeId) {
    for (int s = 0; s < kStateCount; ++s) {
        const std::string state = kStateNames[s];
        AddProperty(SkinPropertyKind::ImageRef, state + ".ARROW1", states[s].arrow1);
        AddProperty(SkinPropertyKind::ImageRef, state + ".ARROW2", states[s].arrow2);
        AddProperty(SkinPropertyKind::NineGrid, state + ".SCROLLBAR", states[s].track);
        AddProperty(SkinPropertyKind::NineGrid, state + ".THUMB", states[s].thumb);
    }
    AddProperty(SkinPropertyKind::ImageRef, "GRIPPER", gripper);
}

void ScrollBarSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    for (int s = 0; s < kStateCount; ++s) {
        v.Enter(kStateNames[s]);
        skin_fields::ImageRef(v, states[s].arrow1, "ARROW1");
        skin_fields::ImageRef(v, states[s].arrow2, "ARROW2");
        skin_fields::NineGrid(v, states[s].track, "SCROLLBAR");
        skin_fields::NineGrid(v, states[s].thumb, "THUMB");
        v.Leave();
    }
    skin_fields::ImageRef(v, gripper, "GRIPPER");
    for (auto& value : values)
        v.U32(value, "value");
}
