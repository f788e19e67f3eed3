#include "skin/core/skin_bound_image.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_info.h"
#include "skin/core/skin_object.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct Transparency {
    bool enabled = false;
    COLORREF key = SkinObject::kKeyColor;
};

Transparency TransparencyOf(SkinData& skin) {
    auto* info = dynamic_cast<SkinInfo*>(skin.FindElementByType(SkinInfo::kTypeId));
    if (!info)
        return {};
    return {info->useTransparentColor != 0, info->KeyColor()};
}

// The region of every pixel that is not the key colour, as runs per row from the top.
HRGN KeyedRegion(const PxImage& image, COLORREF key) {
    const auto width = static_cast<LONG>(image.GetWidth());
    const auto height = static_cast<LONG>(image.GetHeight());
    std::vector<RECT> runs;
    for (LONG row = 0; row < height; ++row) {
        const LONG stored = height - 1 - row;
        LONG start = -1;
        for (LONG x = 0; x <= width; ++x) {
            const bool solid =
                x < width && PxImage::RgbQuadToRgb(image.GetPixelColor(x, stored, false)) != key;
            if (solid && start < 0)
                start = x;
            if (!solid && start >= 0) {
                runs.push_back({start, row, x, row + 1});
                start = -1;
            }
        }
    }
    const DWORD size = static_cast<DWORD>(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    std::vector<std::uint8_t> buffer(std::max<std::size_t>(size, sizeof(RGNDATA)));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(runs.size());
    data->rdh.nRgnSize = 0;
    data->rdh.rcBound = {0, 0, 0, 0};
    if (!runs.empty())
        std::memcpy(data->Buffer, runs.data(), runs.size() * sizeof(RECT));
    return ExtCreateRegion(nullptr, size, data);
}

} // namespace

void SkinBoundImage::Release() {
    image.reset();
    if (region)
        DeleteObject(region);
    region = nullptr;
    width = height = 0;
}

void SkinObject::BindImageRef(SkinData& skin, const SkinImageRef& ref, SkinBoundImage& out) {
    const Transparency transparency = TransparencyOf(skin);
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
    if (transparency.enabled)
        out.region = KeyedRegion(*cropped, transparency.key);
    out.image = std::move(cropped);
}
