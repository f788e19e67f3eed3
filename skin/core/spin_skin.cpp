#include "skin/core/spin_skin.h"

#include <string>

SpinSkin::SpinSkin() : ControlSkin(kTypeId) {
    for (int s = 0; s < kStateCount; ++s) {
        const std::string state = kStateNames[s];
        AddProperty(SkinPropertyKind::ImageRef, state + ".UP", states[s].up);
        AddProperty(SkinPropertyKind::ImageRef, state + ".DOWN", states[s].down);
    }
}

void SpinSkin::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    for (int s = 0; s < kStateCount; ++s) {
        v.Enter(kStateNames[s]);
        skin_fields::ImageRef(v, states[s].up, "UP");
        skin_fields::ImageRef(v, states[s].down, "DOWN");
        v.Leave();
    }
}
