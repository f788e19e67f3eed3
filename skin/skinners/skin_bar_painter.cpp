#include "skin/skinners/skin_bar_painter.h"

#include "imagelib/px_image.h"
#include "skin/core/scroll_bar_skin.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_manager.h"
#include "skin/core/skin_mem_dc.h"

ScrollBarSkin* CurrentScrollBarSkin() {
    SkinData* skin = SkinManager::Instance().GetSkin();
    return skin ? dynamic_cast<ScrollBarSkin*>(skin->FindElementByType(ScrollBarSkin::kTypeId))
                : nullptr;
}

namespace {

bool Usable(const SkinImageRef& ref) {
    return !GlazeworkIsImageRefEmpty(ref);
}

bool Usable(const SkinNineGridRef& grid) {
    SkinImageRef ref{};
    ref.imageName = grid.imageName;
    ref.source = grid.source;
    return !GlazeworkIsImageRefEmpty(ref);
}

int StateIndex(UINT itemState) {
    switch (itemState) {
    case kDrawnSBPressed:
        return ScrollBarSkin::Pressed;
    case kDrawnSBDisabled:
        return ScrollBarSkin::Disabled;
    case kDrawnSBHot:
        return ScrollBarSkin::Highlighted;
    default:
        return ScrollBarSkin::Normal;
    }
}

// One piece laid out along a horizontal bar in `target`.
void PaintPiece(HDC dc, const RECT& target, UINT item, const ScrollBarSkin::StateImages& set,
                const ScrollBarSkin::StateImages& normal) {
    switch (item) {
    case 0:
        GlazeworkDrawImagePart(dc, target, Usable(set.arrow1) ? set.arrow1 : normal.arrow1, 0,
                               FALSE);
        return;
    case 1:
        GlazeworkDrawImagePart(dc, target, Usable(set.arrow2) ? set.arrow2 : normal.arrow2, 0,
                               FALSE);
        return;
    case 5: {
        const SkinNineGridRef& channel =
            Usable(set.thumb) && Usable(set.track) ? set.track : normal.track;
        GlazeworkDrawNineGrid(dc, target, channel, 0, FALSE);
        RECT thumb = target;
        thumb.top += channel.topMargin;
        thumb.bottom -= channel.bottomMargin;
        GlazeworkDrawNineGrid(dc, thumb, Usable(set.thumb) ? set.thumb : normal.thumb, 0, FALSE);
        return;
    }
    default:
        GlazeworkDrawNineGrid(dc, target, Usable(set.track) ? set.track : normal.track, 0, FALSE);
        return;
    }
}

} // namespace

LRESULT DrawSkinBarElement(UINT, DrawnSBCustomDraw* record) {
    ScrollBarSkin* skin = CurrentScrollBarSkin();
    if (!skin || !record)
        return 0;
    if (record->bar == static_cast<UINT>(-2) || record->drawStage != kDrawnSBItemPrePaint)
        return kDrawnSBSkipDefault;
    const RECT& rc = record->rc;
    if (record->bar == kDrawnSBSizeBox) {
        GlazeworkDrawImagePart(record->hdc, rc, skin->gripper, GetSysColor(COLOR_BTNFACE), TRUE);
        return kDrawnSBSkipDefault;
    }
    const auto& set = skin->states[StateIndex(record->itemState)];
    const auto& normal = skin->states[ScrollBarSkin::Normal];
    if (record->bar != SB_VERT) {
        PaintPiece(record->hdc, rc, record->item, set, normal);
        return kDrawnSBSkipDefault;
    }
    // The skin's images are horizontal: a vertical piece is painted lying down and turned
    // clockwise, so the first arrow comes to the top.
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0)
        return kDrawnSBSkipDefault;
    SkinMemDC lying(record->hdc, height, width);
    PaintPiece(lying.GetDC(), RECT{0, 0, height, width}, record->item, set, normal);
    PxImage image;
    if (image.CreateFromHBITMAP(lying.GetBitmap()) && image.RotateRight())
        image.Draw(record->hdc, rc.left, rc.top, width, height);
    return kDrawnSBSkipDefault;
}
