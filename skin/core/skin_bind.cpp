#include "skin/core/skin_bound_image.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_object.h"

// Cropping bound images out of the skin's pictures needs the image library's decoder and
// the drawing layer's regions; until both are there a binding stays empty and painters
// fall back to their colours.
void SkinBoundImage::Release() {
    *this = SkinBoundImage{};
}

void SkinObject::BindImageRef(SkinData& skin, const SkinImageRef& ref, SkinBoundImage& out) {
    out = SkinBoundImage{};
}
