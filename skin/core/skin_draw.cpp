#include "skin/core/skin_draw.h"

#include "skin/core/nine_grid_layout.h"
#include "skin/core/skin_blit.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/skin_manager.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/core/skin_paint_utils.h"

#include "imagelib/px_image.h"

#include <algorithm>

namespace {

BOOL FillIfAsked(HDC dc, const RECT& target, COLORREF fill, BOOL fillFlag) {
    if (!fillFlag)
        return FALSE;
    return GlazeworkFillRectColor(dc, target, fill);
}

// The whole tiles of the target that reach the DC's clip box, in step with the target's
// top-left: a target far larger than any window costs no more than the window.
RECT TileArea(HDC dc, const RECT& target, LONG tileWidth, LONG tileHeight) {
    RECT clip{};
    RECT shown{};
    if (tileWidth <= 0 || tileHeight <= 0 || GetClipBox(dc, &clip) == ERROR ||
        !IntersectRect(&shown, &target, &clip))
        return RECT{};
    const auto roundUp = [](LONG from, LONG at, LONG step, LONG end) {
        const LONG past = (at - from) % step;
        return past == 0 ? at : std::min(end, at + step - past);
    };
    shown.left -= (shown.left - target.left) % tileWidth;
    shown.top -= (shown.top - target.top) % tileHeight;
    shown.right = roundUp(target.left, shown.right, tileWidth, target.right);
    shown.bottom = roundUp(target.top, shown.bottom, tileHeight, target.bottom);
    return shown;
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
        const LONG stripWidth = RectWidth(SkinRect(part.image.source));
        const RECT shown = stripWidth > 0 ? TileArea(dc, part.target, stripWidth,
                                                     std::max(1, RectHeight(part.target)))
                                          : part.target;
        for (const RECT& strip : CentreStrips(shown, stripWidth))
            GlazeworkDrawImagePart(dc, strip, part.image, fill, fillFlag);
    }
}

} // namespace

bool GlazeworkIsImageRefEmpty(const SkinImageRef& ref) {
    return IsRectEmpty(&ref.source) || ref.imageName[0] == '\0';
}

bool GlazeworkIsNineGridEmpty(const SkinNineGridRef& grid) {
    return IsRectEmpty(&grid.source) || grid.imageName[0] == '\0';
}

BOOL GlazeworkDrawImagePart(HDC dc, const RECT& requested, const SkinImageRef& ref, COLORREF fill,
                            BOOL fillFlag) {
    const RECT target = SkinRect(requested);
    const RECT s = SkinRect(ref.source);
    if (IsRectEmpty(&s))
        return FillIfAsked(dc, target, fill, fillFlag);
    SkinData* skin = SkinManager::Instance().GetSkin();
    PxImage* image = skin ? skin->FindImage(ref) : nullptr;
    if (!image)
        return FillIfAsked(dc, target, fill, fillFlag);
    PxImage part;
    if (ref.drawMode == nine_grid::kDrawCopy) {
        const LONG width = std::min(RectWidth(target), RectWidth(s));
        const LONG height = std::min(RectHeight(target), RectHeight(s));
        if (width <= 0 || height <= 0 ||
            !image->Crop(s.left, s.top, s.left + width, s.top + height, &part) || !part.IsValid())
            return FillIfAsked(dc, target, fill, fillFlag);
        return part.Draw(dc, target.left, target.top, width, height) ? TRUE : FALSE;
    }
    if (IsRectEmpty(&target))
        return FALSE;
    if (!image->Crop(s.left, s.top, s.right, s.bottom, &part) || !part.IsValid())
        return FillIfAsked(dc, target, fill, fillFlag);
    if (ref.drawMode == nine_grid::kDrawTile) {
        const RECT shown = TileArea(dc, target, static_cast<LONG>(part.GetWidth()),
                                    static_cast<LONG>(part.GetHeight()));
        return IsRectEmpty(&shown) || part.Tile(dc, &shown) ? TRUE : FALSE;
    }
    return part.Stretch(dc, target.left, target.top, RectWidth(target), RectHeight(target), SRCCOPY)
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
    const LONG width = RectWidth(target);
    const LONG height = RectHeight(target);
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
