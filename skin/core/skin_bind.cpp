#include "skin/core/skin_bound_image.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_info.h"
#include "skin/core/skin_object.h"
#include "skin/core/skin_regions.h"

void SkinBoundImage::Release() {
    image.reset();
    if (region)
        DeleteObject(region);
    region = nullptr;
    width = height = 0;
}

void SkinObject::BindImageRef(SkinData& skin, const SkinImageRef& ref, SkinBoundImage& out) {
    const SkinTransparency transparency = TransparencyOf(&skin);
    out.Release();
    PxImage* source = skin.FindImage(ref);
    if (!source)
        return;
    auto cropped = std::make_unique<PxImage>();
    if (!source->Crop(ref.source.left, ref.source.top, ref.source.right, ref.source.bottom,
                      cropped.get()))
        return;
    out.width = static_cast<std::int32_t>(cropped->GetWidth());
    out.height = static_cast<std::int32_t>(cropped->GetHeight());
    if (transparency.enabled) {
        HBITMAP bitmap = cropped->MakeBitmap(nullptr);
        if (bitmap) {
            out.region = GlazeworkRegionFromBitmap(bitmap, transparency.key);
            DeleteObject(bitmap);
        }
    }
    out.image = std::move(cropped);
}
