// The 70 x 52 thumbnails of the media and frame dialogs: the picture as large as fits,
// centred, on white, in a light grey border.
#pragma once

#include "imagelib/px_image.h"
#include "mfc/mfc.h"
#include "settings/controls/icon_list_box.h"

inline constexpr int kThumbnailWidth = 70;
inline constexpr int kThumbnailHeight = 52;
// A picture that cannot be shown gets a grey box crossed corner to corner, inside these bounds
// (right and bottom are drawn).
inline constexpr RECT kPlaceholderBox{24, 15, 46, 37};
inline constexpr COLORREF kPlaceholderInk = 0x808080;

struct ThumbnailPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ThumbnailPlacement&) const = default;
};

// Where a picture of this size goes: pictures taller than the thumbnail's shape fill its
// height, the others its width; empty for a picture without pixels.
ThumbnailPlacement PlaceThumbnail(DWORD width, DWORD height);

// A new bitmap compatible with `dc` (the caller owns it). A picture that is not valid leaves
// the thumbnail white inside its border.
HBITMAP MakeThumbnail(HDC dc, PxImage& picture);
// The thumbnail of a picture that cannot be shown: the crossed box on white in the border.
HBITMAP MakePlaceholderThumbnail(HDC dc);

// Puts the picture's thumbnail into `images` at `slot` and gives it to the list's item of the
// same number.
void PutThumbnail(CIconListBox& list, CImageList& images, int slot, PxImage& picture);
void PutPlaceholderThumbnail(CIconListBox& list, CImageList& images, int slot);
