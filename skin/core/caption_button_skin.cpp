#include "skin/core/caption_button_skin.h"

void CaptionButtonSkin::VisitFields(SkinFieldVisitor& v) {
    FrameChildSkin::VisitFields(v);
    for (auto& image : stateImages)
        skin_fields::ImageRef(v, image, "stateimage");
    v.U32(buttonKind, "kind");
    v.U32(toggle, "toggle");
}
