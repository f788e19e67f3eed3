// Operations that put an image on a device context, build one from GDI objects, or render
// text into the image through the platform's fonts. The pixel work lives in
// px_draw_compose.cpp; this file makes the device calls around it.
#include "imagelib/px_draw_compose.h"
#include "imagelib/px_image.h"

#include "win32/win32.h"

#include <cstring>

namespace {

const BITMAPINFO* InfoOf(const PxImage& image) { return static_cast<const BITMAPINFO*>(image.GetDIB()); }

LONG OwnSize(LONG requested, DWORD own) { return requested < 0 ? static_cast<LONG>(own) : requested; }

// A 24-bit bottom-up DIB section selected into a memory context.
class Section24 {
public:
    Section24(HDC compatible, LONG width, LONG height) {
        m_dc = CreateCompatibleDC(compatible);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        m_info = info;
        void* bits = nullptr;
        m_bitmap = m_dc ? CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
        m_bits = static_cast<BYTE*>(bits);
        if (m_bitmap)
            m_old = SelectObject(m_dc, m_bitmap);
        m_stride = PxSectionStride(width);
        if (m_bits)
            std::memset(m_bits, 0, static_cast<std::size_t>(m_stride) * static_cast<std::size_t>(height));
    }
    ~Section24() {
        if (m_old)
            SelectObject(m_dc, m_old);
        if (m_bitmap)
            DeleteObject(m_bitmap);
        if (m_dc)
            DeleteDC(m_dc);
    }
    Section24(const Section24&) = delete;
    Section24& operator=(const Section24&) = delete;

    bool ok() const { return m_bits != nullptr; }
    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    BYTE* bits() const { return m_bits; }
    DWORD stride() const { return m_stride; }
    const BITMAPINFO& info() const { return m_info; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    BYTE* m_bits = nullptr;
    DWORD m_stride = 0;
    BITMAPINFO m_info{};
};

// The font set-up the text operations share: a memory context compatible with the given one,
// the font selected into it, all released at the end.
class TextFont {
public:
    TextFont(HDC dc, const char* face, LONG height, LONG weight, BYTE italic, BYTE underline,
             bool antialiased) {
        m_dc = CreateCompatibleDC(dc);
        LOGFONTA font{};
        if (face)
            std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
        font.lfHeight = height;
        font.lfWeight = weight;
        font.lfItalic = italic;
        font.lfUnderline = underline;
        if (antialiased)
            font.lfQuality = ANTIALIASED_QUALITY;
        m_font = CreateFontIndirectA(&font);
        HGDIOBJ selected = m_font ? static_cast<HGDIOBJ>(m_font) : GetStockObject(DEFAULT_GUI_FONT);
        if (m_dc)
            m_old = SelectObject(m_dc, selected);
    }
    ~TextFont() {
        if (m_old)
            SelectObject(m_dc, m_old);
        if (m_font)
            DeleteObject(m_font);
        if (m_dc)
            DeleteDC(m_dc);
    }
    TextFont(const TextFont&) = delete;
    TextFont& operator=(const TextFont&) = delete;

    HDC dc() const { return m_dc; }
    HGDIOBJ selected() const { return m_font ? static_cast<HGDIOBJ>(m_font) : GetStockObject(DEFAULT_GUI_FONT); }

    SIZE Extent(const char* text) const {
        SIZE size{0, 0};
        if (m_dc && text)
            GetTextExtentPoint32A(m_dc, text, static_cast<int>(std::strlen(text)), &size);
        return size;
    }

    RECT Measure(const char* text) const {
        RECT box{0, 0, 0, 0};
        if (m_dc && text)
            DrawTextA(m_dc, text, -1, &box, DT_CALCRECT);
        return box;
    }

private:
    HDC m_dc = nullptr;
    HFONT m_font = nullptr;
    HGDIOBJ m_old = nullptr;
};

// Restores a device context's whole state (clip region included) when it goes.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : m_dc(dc), m_level(SaveDC(dc)) {}
    ~SavedDC() {
        if (m_level)
            RestoreDC(m_dc, m_level);
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC m_dc;
    int m_level;
};

bool NeedsComposition(const PxImage& image) {
    return image.HasTransIndex() || image.AlphaIsValid() || image.GetPaletteAlpha() || image.GetAlphaMax() != 255;
}

} // namespace

bool PxImage::CreateFromHBITMAP(HBITMAP bitmap, HPALETTE) {
    BITMAP desc{};
    if (!bitmap || GetObjectA(bitmap, sizeof desc, &desc) == 0)
        return false;
    DWORD bpp = desc.bmBitsPixel * desc.bmPlanes;
    if (!Create(desc.bmWidth, desc.bmHeight, bpp > 8 ? 24 : bpp))
        return false;
    HDC dc = CreateCompatibleDC(nullptr);
    // GetDIBits fills the bits and, for palette images, the colour table behind the header.
    int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(GetHeight()), GetBits(),
                         reinterpret_cast<BITMAPINFO*>(GetDIB()), DIB_RGB_COLORS);
    DeleteDC(dc);
    return rows != 0;
}

bool PxImage::Draw(HDC dc, LONG x, LONG y, LONG width, LONG height, const RECT* clip, bool smooth) {
    if (!IsValid() || !dc || width == 0 || height == 0 || !IsEnabled())
        return false;
    width = OwnSize(width, GetWidth());
    height = OwnSize(height, GetHeight());
    // The caller's clip region comes back exactly as it was.
    SavedDC saved(dc);
    if (clip)
        IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);

    if (!NeedsComposition(*this) && width == static_cast<LONG>(GetWidth()) && height == static_cast<LONG>(GetHeight())) {
        SetStretchBltMode(dc, COLORONCOLOR);
        SetDIBitsToDevice(dc, x, y, GetWidth(), GetHeight(), 0, 0, 0, GetHeight(), GetBits(), InfoOf(*this),
                          DIB_RGB_COLORS);
        return true;
    }

    RECT box{};
    GetClipBox(dc, &box);
    RECT visible{};
    if (!PxVisibleDrawArea(box, x, y, width, height, visible))
        return true; // nothing of it can be seen
    LONG w = visible.right - visible.left, h = visible.bottom - visible.top;
    Section24 section(dc, w, h);
    if (!section.ok())
        return false;
    BitBlt(section.dc(), 0, 0, w, h, dc, visible.left, visible.top, SRCCOPY);
    PxDrawTarget target{section.bits(), section.stride(), visible};
    PxComposeDraw(*this, x, y, width, height, smooth, target);
    SetDIBitsToDevice(dc, visible.left, visible.top, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0,
                      static_cast<UINT>(h), section.bits(), &section.info(), DIB_RGB_COLORS);
    return true;
}

bool PxImage::DrawInRect(HDC dc, const RECT& rect, const RECT* clip, bool smooth) {
    return Draw(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, clip, smooth);
}

bool PxImage::DrawStretched(HDC dc, LONG x, LONG y, LONG width, LONG height) {
    if (!IsValid() || !dc || width == 0 || height == 0 || !IsEnabled())
        return false;
    width = OwnSize(width, GetWidth());
    height = OwnSize(height, GetHeight());
    const LONG w = static_cast<LONG>(GetWidth()), h = static_cast<LONG>(GetHeight());
    if (!HasTransIndex()) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchDIBits(dc, x, y, width, height, 0, 0, w, h, GetBits(), InfoOf(*this), DIB_RGB_COLORS, SRCCOPY);
        return true;
    }
    RECT target{x, y, x + width, y + height};
    if (!RectVisible(dc, &target))
        return true;

    // Mask method: image ^ destination, cleared where the image is opaque, ^ image again.
    HDC imageDC = CreateCompatibleDC(dc);
    HBITMAP imageBitmap = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ oldImage = SelectObject(imageDC, imageBitmap);
    SetStretchBltMode(imageDC, COLORONCOLOR);
    StretchDIBits(imageDC, 0, 0, w, h, 0, 0, w, h, GetBits(), InfoOf(*this), DIB_RGB_COLORS, SRCCOPY);
    HDC maskDC = CreateCompatibleDC(dc);
    HBITMAP maskBitmap = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDC, maskBitmap);
    SetBkColor(imageDC, RgbQuadToRgb(GetTransColor()));
    BitBlt(maskDC, 0, 0, w, h, imageDC, 0, 0, SRCCOPY);
    {
        // Monochrome to colour takes the destination's text and background colours: black for
        // the image's pixels, white for the transparent ones. The caller's state comes back.
        SavedDC saved(dc);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, x, y, width, height, imageDC, 0, 0, w, h, SRCINVERT);
        StretchBlt(dc, x, y, width, height, maskDC, 0, 0, w, h, SRCAND);
        StretchBlt(dc, x, y, width, height, imageDC, 0, 0, w, h, SRCINVERT);
    }
    SelectObject(maskDC, oldMask);
    DeleteObject(maskBitmap);
    DeleteDC(maskDC);
    SelectObject(imageDC, oldImage);
    DeleteObject(imageBitmap);
    DeleteDC(imageDC);
    return true;
}

bool PxImage::Stretch(HDC dc, LONG x, LONG y, LONG width, LONG height, DWORD rop) {
    if (!IsValid() || !dc)
        return false;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, x, y, width, height, 0, 0, static_cast<int>(GetWidth()), static_cast<int>(GetHeight()),
                  GetBits(), InfoOf(*this), DIB_RGB_COLORS, rop);
    return true;
}

bool PxImage::Tile(HDC dc, const RECT* rect) {
    if (!IsValid() || !dc || !rect)
        return false;
    PxForEachTile(*rect, static_cast<LONG>(GetWidth()), static_cast<LONG>(GetHeight()),
                  [&](const RECT& tile) { Draw(dc, tile.left, tile.top, -1, -1, &tile); });
    return true;
}

HBITMAP PxImage::MakeBitmap(HDC dc) {
    if (!IsValid())
        return nullptr;
    const BITMAPINFO* info = InfoOf(*this);
    if (dc)
        return CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, GetBits(), info, DIB_RGB_COLORS);
    HDC memory = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits)
        std::memcpy(bits, GetBits(), static_cast<std::size_t>(GetRowStride()) * GetHeight());
    DeleteDC(memory);
    return bitmap;
}

void PxImage::DrawString(HDC dc, LONG x, LONG y, const char* text, PxRgbQuad colour, const char* face,
                         LONG height, LONG weight, BYTE italic, BYTE underline, bool setAlpha) {
    if (!IsValid() || !text)
        return;
    TextFont font(dc, face, height, weight, italic, underline, false);
    RECT box = font.Measure(text);
    LONG w = box.right + box.bottom; // room for an italic overhang
    LONG h = box.bottom;
    if (w <= 0 || h <= 0)
        return;
    Section24 section(font.dc(), w, h);
    if (!section.ok())
        return;
    HGDIOBJ oldFont = SelectObject(section.dc(), font.selected());
    SetTextColor(section.dc(), RGB(255, 255, 255));
    SetBkColor(section.dc(), RGB(0, 0, 0));
    SetBkMode(section.dc(), OPAQUE);
    RECT draw{0, 0, box.right, box.bottom};
    DrawTextA(section.dc(), text, -1, &draw, 0);
    GdiFlush();
    SelectObject(section.dc(), oldFont);
    PxImage mask;
    if (mask.CreateFromHBITMAP(section.bitmap()))
        PxPaintTextMask(*this, mask, x, y, colour, setAlpha);
}

SIZE PxImage::DrawStringEx(HDC dc, LONG x, LONG y, const char* text, PxRgbQuad colour, const char* face,
                           LONG height, LONG weight, BYTE italic, BYTE underline, bool setAlpha, bool smooth) {
    if (!IsValid() || !text)
        return SIZE{0, 0};
    if (!smooth) {
        DrawString(dc, x, y, text, colour, face, height, weight, italic, underline, setAlpha);
        TextFont font(dc, face, height, weight, italic, underline, false);
        return font.Extent(text);
    }
    TextFont font(dc, face, height, weight, italic, underline, true);
    SIZE extent = font.Extent(text);
    if (extent.cx <= 0 || extent.cy <= 0)
        return extent;
    Section24 section(font.dc(), extent.cx, extent.cy);
    if (!section.ok())
        return extent;
    // The picture under the text box becomes the background the text is drawn over.
    const LONG bottomRow = static_cast<LONG>(GetHeight()) - 1 - y;
    for (LONG j = 0; j < extent.cy; ++j) {
        BYTE* row = section.bits() + static_cast<std::size_t>(j) * section.stride();
        for (LONG i = 0; i < extent.cx; ++i) {
            PxRgbQuad c = GetPixelColor(x + i, bottomRow + j, false);
            row[i * 3] = c.rgbBlue;
            row[i * 3 + 1] = c.rgbGreen;
            row[i * 3 + 2] = c.rgbRed;
        }
    }
    HGDIOBJ oldFont = SelectObject(section.dc(), font.selected());
    SetTextColor(section.dc(), RgbQuadToRgb(colour));
    SetBkMode(section.dc(), TRANSPARENT);
    TextOutA(section.dc(), 0, 0, text, static_cast<int>(std::strlen(text)));
    GdiFlush();
    SelectObject(section.dc(), oldFont);
    for (LONG j = 0; j < extent.cy; ++j) {
        const BYTE* row = section.bits() + static_cast<std::size_t>(j) * section.stride();
        for (LONG i = 0; i < extent.cx; ++i) {
            PxRgbQuad c{row[i * 3], row[i * 3 + 1], row[i * 3 + 2], 0};
            SetPixelColor(x + i, bottomRow + j, c, false);
        }
    }
    return extent;
}

SIZE PxImage::MeasureString(HDC dc, const char* text, const char* face, LONG height, LONG weight, BYTE italic,
                            BYTE underline) {
    if (!IsValid())
        return SIZE{0, 0};
    TextFont font(dc, face, height, weight, italic, underline, false);
    return font.Extent(text);
}
