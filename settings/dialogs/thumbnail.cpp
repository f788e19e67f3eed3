#include "settings/dialogs/thumbnail.h"

namespace {

constexpr COLORREF kPaper = 0xFFFFFF;
constexpr COLORREF kBorder = 0xC0C0C0;
// The thumbnail's own shape, height over width, as the dialogs have always compared it.
constexpr float kShape = 0.74285716f;

} // namespace

ThumbnailPlacement PlaceThumbnail(DWORD width, DWORD height) {
    if (width == 0 || height == 0)
        return {};
    const float r = static_cast<float>(height) / static_cast<float>(width);
    ThumbnailPlacement p;
    if (r > kShape) {
        p.height = kThumbnailHeight;
        p.width = static_cast<int>(static_cast<float>(kThumbnailHeight) / r);
        p.left = (kThumbnailWidth - p.width) / 2;
    } else {
        p.width = kThumbnailWidth;
        p.height = static_cast<int>(r * static_cast<float>(kThumbnailWidth));
        p.top = (kThumbnailHeight - p.height) / 2;
    }
    return p;
}

namespace {

// A new 70 x 52 bitmap compatible with `dc`: white, `draw` on it, the light grey border round.
template <typename Draw> HBITMAP PaintThumbnail(HDC dc, Draw draw) {
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc, kThumbnailWidth, kThumbnailHeight);
    HDC memory = ::CreateCompatibleDC(dc);
    if (!bitmap || !memory) {
        if (bitmap)
            ::DeleteObject(bitmap);
        if (memory)
            ::DeleteDC(memory);
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    const RECT all{0, 0, kThumbnailWidth, kThumbnailHeight};
    HBRUSH paper = ::CreateSolidBrush(kPaper);
    ::FillRect(memory, &all, paper);
    ::DeleteObject(paper);
    draw(memory);
    HBRUSH border = ::CreateSolidBrush(kBorder);
    ::FrameRect(memory, &all, border);
    ::DeleteObject(border);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return bitmap;
}

void PutBitmap(CIconListBox& list, CImageList& images, int slot, HBITMAP bitmap) {
    CBitmap thumbnail;
    thumbnail.Attach(bitmap);
    images.Replace(slot, &thumbnail, nullptr);
    list.SetItemImage(slot, slot);
}

} // namespace

HBITMAP MakeThumbnail(HDC dc, PxImage& picture) {
    return PaintThumbnail(dc, [&](HDC memory) {
        const ThumbnailPlacement place =
            picture.IsValid() ? PlaceThumbnail(picture.GetWidth(), picture.GetHeight())
                              : ThumbnailPlacement{};
        if (place.width > 0 && place.height > 0)
            picture.Stretch(memory, place.left, place.top, place.width, place.height, SRCCOPY);
    });
}

HBITMAP MakePlaceholderThumbnail(HDC dc) {
    return PaintThumbnail(dc, [](HDC memory) {
        HPEN pen = ::CreatePen(PS_SOLID, 1, kPlaceholderInk);
        HGDIOBJ old = ::SelectObject(memory, pen);
        const RECT& box = kPlaceholderBox;
        const POINT lines[][2] = {{{box.left, box.top}, {box.right, box.top}},
                                  {{box.right, box.top}, {box.right, box.bottom}},
                                  {{box.right, box.bottom}, {box.left, box.bottom}},
                                  {{box.left, box.bottom}, {box.left, box.top}},
                                  {{box.left, box.top}, {box.right, box.bottom}},
                                  {{box.left, box.bottom}, {box.right, box.top}}};
        for (const auto& line : lines) {
            ::MoveToEx(memory, line[0].x, line[0].y, nullptr);
            ::LineTo(memory, line[1].x, line[1].y);
        }
        ::SelectObject(memory, old);
        ::DeleteObject(pen);
    });
}

void PutThumbnail(CIconListBox& list, CImageList& images, int slot, PxImage& picture) {
    HDC dc = ::GetDC(list.m_hWnd);
    HBITMAP bitmap = MakeThumbnail(dc, picture);
    ::ReleaseDC(list.m_hWnd, dc);
    PutBitmap(list, images, slot, bitmap);
}

void PutPlaceholderThumbnail(CIconListBox& list, CImageList& images, int slot) {
    HDC dc = ::GetDC(list.m_hWnd);
    HBITMAP bitmap = MakePlaceholderThumbnail(dc);
    ::ReleaseDC(list.m_hWnd, dc);
    PutBitmap(list, images, slot, bitmap);
}
