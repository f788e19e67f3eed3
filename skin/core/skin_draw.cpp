#include "skin/core/skin_draw.h"

#include "skin/core/nine_grid_layout.h"
#include "skin/core/skin_blit.h"
#include "skin/core/skin_manager.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/core/skin_paint_utils.h"

#include "imagelib/px_image.h"

#include <algorithm>

namespace {

LONG Width(const RECT& r) {
    return r.right - r.left;
}
LONG Height(const RECT& r) {
    return r.bottom - r.top;
}

BOOL FillIfAsked(HDC dc, const RECT& target, COLORREF fill, BOOL fillFlag) {
    if (!fillFlag)
        return FALSE;
    return GlazeworkFillRectColor(dc, target, fill);
}

void DrawParts(HDC dc, const SkinNineGridRef& grid, const RECT& target, COLORREF fill,
               BOOL fillFlag, bool withCentre) {
    using namespace nine_grid;
    const auto parts = Layout(grid, target, !withCentre);
    for (int i = 0; i < kPartCount; ++i) {
        const PlacedPart& part = parts[i];
        if (i != Centre) {
            GlazeworkDrawImagePart(dc, part.target, part.image, fill, fillFlag);
            continue;
        }
        if (!withCentre)
            continue;
        if (grid.gridMode != kCentreStripsMode) {
            GlazeworkDrawImagePart(dc, part.target, part.image, fill, fillFlag);
            continue;
        }
        for (const RECT& strip : CentreStrips(part.target, Width(part.image.source)))
            GlazeworkDrawImagePart(dc, strip, part.image, fill, fillFlag);
    }
}

} // namespace

bool GlazeworkIsImageRefEmpty(const SkinImageRef& ref) {
    return IsRectEmpty(&ref.source) || ref.imageName[0] == '\0';
}

BOOL GlazeworkDrawImagePart(HDC dc, const RECT& target, const SkinImageRef& ref, COLORREF fill,
                            BOOL fillFlag) {
    if (IsRectEmpty(&ref.source))
        return FillIfAsked(dc, target, fill, fillFlag);
    SkinData* skin = SkinManager::Instance().GetSkin();
    PxImage* image = skin ? skin->FindImage(ref) : nullptr;
    if (!image)
        return FillIfAsked(dc, target, fill, fillFlag);
    const RECT& s = ref.source;
    PxImage part;
    if (ref.drawMode == nine_grid::kDrawCopy) {
        const LONG width = std::min(Width(target), Width(s));
        const LONG height = std::min(Height(target), Height(s));
        if (width <= 0 || height <= 0 ||
            !image->Crop(s.left, s.top, s.left + width, s.top + height, &part) || !part.IsValid())
            return FillIfAsked(dc, target, fill, fillFlag);
        return part.Draw(dc, target.left, target.top, width, height) ? TRUE : FALSE;
    }
    if (IsRectEmpty(&target))
        return FALSE;
    if (!image->Crop(s.left, s.top, s.right, s.bottom, &part) || !part.IsValid())
        return FillIfAsked(dc, target, fill, fillFlag);
    if (ref.drawMode == nine_grid::kDrawTile)
        return part.Tile(dc, &target) ? TRUE : FALSE;
    return part.Stretch(dc, target.left, target.top, Width(target), Height(target), SRCCOPY)
               ? TRUE
               : FALSE;
}

void GlazeworkDrawNineGrid(HDC dc, const RECT& target, const SkinNineGridRef& grid, COLORREF fill,
                           BOOL fillFlag) {
    DrawParts(dc, grid, target, fill, fillFlag, true);
}

void GlazeworkDrawNineGridBorder(HDC dc, const RECT& target, const SkinNineGridRef& grid,
                                 COLORREF fill, BOOL fillFlag) {
    DrawParts(dc, grid, target, fill, fillFlag, false);
}

void GlazeworkDrawTransparent(HDC dc, const RECT& target, const SkinNineGridRef& grid,
                              COLORREF key) {
    const LONG width = Width(target);
    const LONG height = Height(target);
    if (width <= 0 || height <= 0)
        return;
    SkinMemDC memory(dc, width, height);
    if (!memory.GetDC())
        return;
    GlazeworkDrawNineGrid(memory.GetDC(), RECT{0, 0, width, height}, grid, key, TRUE);
    HBITMAP bitmap = memory.Detach();
    GlazeworkTransparentBlt(dc, target.left, target.top, width, height, bitmap, 0, 0, key, nullptr);
    DeleteObject(bitmap);
}
