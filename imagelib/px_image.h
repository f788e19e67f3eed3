// PxImage: a device-independent bitmap in memory (rows bottom-up, B-G-R, each row padded to
// 4 bytes) with an optional palette, alpha plane, selection mask and owned frames.
// Operations return true/false (or a pointer, null for failure) and keep the reason in the
// image's last-error text.
#pragma once

#include <cstdio>

#include "imagelib/px_dib_types.h"
#include "imagelib/px_file.h"
#include "imagelib/px_image_format.h"
#include "win32/types.h"

class PxImage;

// Largest DIB block (header, palette and pixels) that Create allocates.
constexpr unsigned long long kPxMaxImageBytes = 256000000ULL;

struct PxImageInfo {
    DWORD rowStride;       // bytes per stored row
    BYTE* pixels;          // row 0 inside the DIB
    PxImage* shallowOwner; // set while this image only borrows another's buffers
    DWORD format;          // ImageFormat
    char lastError[256];
    DWORD progress;       // 0..100
    DWORD cancel;         // non-zero stops long loops; -1 asks some decoders for the size only
    LONG transIndex;      // -1 = none
    PxRgbQuad transColor; // transparent colour of 24-bit images; reserved byte 0
    BYTE jpegQuality;
    BYTE jpegScale;
    LONG frameIndex; // which frame a multi-frame decoder delivers
    LONG frameCount; // frames the last multi-frame decode found
    LONG xDpi;
    LONG yDpi;
    RECT selectionBox;
    BYTE alphaMax;     // global opacity applied to the alpha plane
    BYTE paletteAlpha; // palette reserved bytes are opacities in drawing
    BYTE enabled;      // drawing does nothing when 0
    LONG xOffset;      // frame position inside its logical screen
    LONG yOffset;
    DWORD codecOptions[kPxFormatSlots];
    PxRgbQuad nearestColor; // GetNearestIndex cache
    BYTE nearestIndex;
    BYTE nearestValid;
    LONG frameListCount; // entries in the frames array
};

class PxImage {
public:
    // Construction and lifetime.
    explicit PxImage(DWORD format = PXIMAGE_FORMAT_UNKNOWN);
    PxImage(LONG width, LONG height, DWORD bpp, DWORD format = PXIMAGE_FORMAT_UNKNOWN);
    PxImage(const PxImage& source, bool copyPixels = true, bool copySelection = true,
            bool copyAlpha = true);
    virtual ~PxImage();
    PxImage& operator=(const PxImage& source);

    void InitDefaults(DWORD format);
    bool Destroy();
    // Returns the DIB block, or null (error text set) for an empty, oversized or unallocatable
    // image. bpp is rounded up to 1, 4, 8 or 24.
    void* Create(LONG width, LONG height, DWORD bpp, DWORD format = PXIMAGE_FORMAT_UNKNOWN);
    bool Copy(const PxImage& source, bool copyPixels = true, bool copySelection = true,
              bool copyAlpha = true);
    // Copies the information block (without the buffers it points at) into an image that has
    // no DIB yet.
    void CopyInfo(const PxImage& source);
    bool Transfer(PxImage& source);
    void ShallowCopy(const PxImage& source);
    bool CreateFromHBITMAP(HBITMAP bitmap, HPALETTE palette = nullptr);
    void Clear(BYTE value = 0);

    // Accessors.
    DWORD GetWidth() const { return static_cast<DWORD>(m_head.biWidth); }
    DWORD GetHeight() const { return static_cast<DWORD>(m_head.biHeight); }
    WORD GetBitsPerPixel() const { return m_head.biBitCount; }
    WORD GetBpp() const { return m_head.biBitCount; }
    DWORD GetRowStride() const { return m_info.rowStride; }
    DWORD GetPaletteCount() const { return m_head.biClrUsed; }
    DWORD GetFormat() const { return m_info.format; }
    BYTE GetJpegQuality() const { return m_info.jpegQuality; }
    void SetJpegQuality(BYTE quality) { m_info.jpegQuality = quality; }
    BYTE GetJpegScale() const { return m_info.jpegScale; }
    void SetJpegScale(BYTE scale) { m_info.jpegScale = scale; }
    LONG GetXDPI() const { return m_info.xDpi; }
    LONG GetYDPI() const { return m_info.yDpi; }
    LONG GetTransIndex() const { return m_info.transIndex; }
    bool IsValid() const { return m_dib != nullptr; }
    bool HasPalette() const { return m_head.biClrUsed != 0; }
    bool HasTransIndex() const { return m_info.transIndex >= 0; }
    bool AlphaIsValid() const { return m_alpha != nullptr; }
    const char* GetLastError() const { return m_info.lastError; }
    void SetLastErrorText(const char* text);
    DWORD GetSize() const;
    DWORD GetPaletteSize() const { return m_head.biClrUsed * 4; }
    BYTE* GetBits(DWORD row = 0) const;
    bool IsInside(LONG x, LONG y) const;
    DWORD GetColorKind() const;
    void* GetDIB() const { return m_dib; }
    const PxBitmapInfoHeader& GetHeader() const { return m_head; }
    const PxImageInfo& GetInfo() const { return m_info; }

    // Progress, cancel, frames, drawing flags.
    DWORD GetProgress() const { return m_info.progress; }
    void SetProgress(DWORD progress) { m_info.progress = progress; }
    DWORD GetCancel() const { return m_info.cancel; }
    void SetCancel(DWORD cancel) { m_info.cancel = cancel; }
    LONG GetFrameIndex() const { return m_info.frameIndex; }
    void SetFrameIndex(LONG index) { m_info.frameIndex = index; }
    LONG GetNumFrames() const { return m_info.frameCount; }
    void SetNumFrames(LONG count) { m_info.frameCount = count; }
    BYTE GetAlphaMax() const { return m_info.alphaMax; }
    void SetAlphaMax(BYTE alphaMax) { m_info.alphaMax = alphaMax; }
    bool GetPaletteAlpha() const { return m_info.paletteAlpha != 0; }
    void SetPaletteAlpha(bool enabled) { m_info.paletteAlpha = enabled ? 1 : 0; }
    bool IsEnabled() const { return m_info.enabled != 0; }
    void Enable(bool enabled = true) { m_info.enabled = enabled ? 1 : 0; }
    LONG GetXOffset() const { return m_info.xOffset; }
    LONG GetYOffset() const { return m_info.yOffset; }

    // Transparency, resolution and codec options.
    void SetTransIndex(LONG index) { m_info.transIndex = index; }
    void SetTransColor(PxRgbQuad colour);
    PxRgbQuad GetTransColor() const;
    void SetXDPI(LONG dpi);
    void SetYDPI(LONG dpi);
    void SetFrameOffset(LONG x, LONG y);
    DWORD GetCodecOption(DWORD format = PXIMAGE_FORMAT_UNKNOWN) const;
    bool SetCodecOption(DWORD value, DWORD format = PXIMAGE_FORMAT_UNKNOWN);

    // Palette.
    PxRgbQuad* GetPalette() const;
    PxRgbQuad GetPaletteColor(BYTE index) const;
    bool GetPaletteColor(BYTE index, BYTE* red, BYTE* green, BYTE* blue) const;
    void SetPaletteColor(BYTE index, BYTE red, BYTE green, BYTE blue, BYTE alpha = 0);
    void SetPaletteColor(BYTE index, PxRgbQuad colour);
    void SetPalette(const PxRgbQuad* entries, DWORD count = 256);
    // Red, green, blue byte triplets.
    void SetPalette(const BYTE* rgbTriplets, DWORD count = 256);
    // A null greens array means the reds, a null blues array the greens.
    void SetPalette(DWORD count, const BYTE* reds, const BYTE* greens = nullptr,
                    const BYTE* blues = nullptr);
    // The source's palette entries, as many as it has: a palette image of the same depth
    // takes both its entry count and its colours.
    void CopyPalette(const PxImage& source);
    void SetGreyPalette();
    bool IsGreyScale() const;
    void SwapIndex(BYTE a, BYTE b);
    BYTE GetNearestIndex(PxRgbQuad colour);
    static PxRgbQuad RgbToRgbQuad(COLORREF colour);
    static COLORREF RgbQuadToRgb(PxRgbQuad colour);
    void SwapRedBlue(BYTE* buffer, DWORD length) const;
    // luma(a) - luma(b) of two blue-green-red triplets.
    static LONG CompareColorLuma(const BYTE* a, const BYTE* b);

    // Pixels; y counts stored rows (0 = bottom of the picture).
    BYTE GetPixelIndex(LONG x, LONG y) const;
    void SetPixelIndex(LONG x, LONG y, BYTE index);
    PxRgbQuad GetPixelColor(LONG x, LONG y, bool withAlpha = true) const;
    void SetPixelColor(LONG x, LONG y, PxRgbQuad colour, bool withAlpha = false);
    void SetPixelColorRef(LONG x, LONG y, COLORREF colour);
    BYTE GetPixelIndexUnchecked(LONG x, LONG y) const;
    PxRgbQuad GetPixelColorUnchecked(LONG x, LONG y) const;
    BYTE* GetPixelPointer(LONG x, LONG y) const;
    bool IsPixelTransparent(LONG x, LONG y) const;

    // Alpha plane (one byte a pixel, rows as the pixels; 255 = opaque).
    bool AlphaCreate();
    void AlphaDelete();
    void AlphaFill(BYTE level);
    void AlphaClear() { AlphaFill(0); }
    void AlphaSet(LONG x, LONG y, BYTE level);
    BYTE AlphaGet(LONG x, LONG y) const;
    BYTE* AlphaGetPointer(LONG x = 0, LONG y = 0) const;
    BYTE AlphaGetUnchecked(LONG x, LONG y) const { return m_alpha[x + y * m_head.biWidth]; }
    bool AlphaFlip();
    bool AlphaMirror();
    bool AlphaPaletteIsValid() const;

    // Selection mask (one byte a pixel, non-zero = selected).
    bool SelectionCreate();
    bool SelectionDelete();
    bool SelectionIsInside(LONG x, LONG y) const;
    void SelectionSet(LONG x, LONG y, BYTE level);
    bool SelectionIsValid() const { return m_selection != nullptr; }

    // Geometry. Operations with an output leave this image unchanged and move the result into
    // the output; without one the result replaces this image.
    bool Flip();
    bool Mirror();
    bool RotateLeft(PxImage* output = nullptr);
    bool RotateRight(PxImage* output = nullptr);
    bool Rotate180(PxImage* output = nullptr);
    bool Rotate(double angle, PxImage* output = nullptr);
    // Picture coordinates counted from the top.
    bool Crop(LONG left, LONG top, LONG right, LONG bottom, PxImage* output = nullptr);
    bool Negative();
    // mode 1 nearest, 2 bicubic, other: area averaging when shrinking 24 bits, else bilinear.
    bool Resample(LONG newWidth, LONG newHeight, int mode = 1, PxImage* output = nullptr);
    PxRgbQuad GetPixelColorWithOverflow(LONG x, LONG y, int overflow = 1,
                                        const PxRgbQuad* colour = nullptr) const;
    PxRgbQuad GetPixelColorInterpolated(float x, float y, int method = 1, int overflow = 1,
                                        const PxRgbQuad* colour = nullptr) const;
    void OverflowCoordinates(LONG& x, LONG& y, int overflow) const;
    void OverflowCoordinates(float& x, float& y, int overflow) const;

    // Load and save dispatch.
    bool Load(const char* fileName, DWORD format = PXIMAGE_FORMAT_UNKNOWN);
    bool Save(const char* fileName, DWORD format);
    bool EncodeFileHandle(FILE* handle, DWORD format);
    bool DecodeFileHandle(FILE* handle, DWORD format);
    bool Encode(PxFile* file, DWORD format);
    bool Decode(PxFile* file, DWORD format);
    // True when an encoder must stop (null file or no image); the reason is set.
    bool CheckEncodeTarget(PxFile* file);

    // Drawing on a device context.
    bool Draw(HDC dc, LONG x, LONG y, LONG width = -1, LONG height = -1, const RECT* clip = nullptr,
              bool smooth = false);
    bool DrawInRect(HDC dc, const RECT& rect, const RECT* clip = nullptr, bool smooth = false);
    bool DrawStretched(HDC dc, LONG x, LONG y, LONG width, LONG height);
    bool Stretch(HDC dc, LONG x, LONG y, LONG width, LONG height, DWORD rop);
    bool Tile(HDC dc, const RECT* rect);
    HBITMAP MakeBitmap(HDC dc = nullptr);
    void DrawString(HDC dc, LONG x, LONG y, const char* text, PxRgbQuad colour, const char* face,
                    LONG fontHeight = 0, LONG fontWeight = 400, BYTE italic = 0, BYTE underline = 0,
                    bool setAlpha = false);
    SIZE DrawStringEx(HDC dc, LONG x, LONG y, const char* text, PxRgbQuad colour, const char* face,
                      LONG fontHeight = 0, LONG fontWeight = 400, BYTE italic = 0,
                      BYTE underline = 0, bool setAlpha = false, bool smooth = false);
    SIZE MeasureString(HDC dc, const char* text, const char* face, LONG fontHeight = 0,
                       LONG fontWeight = 400, BYTE italic = 0, BYTE underline = 0);

    // Mixing: a source rectangle (picture coordinates from the top, right and bottom exclusive)
    // goes to (x, y) of this image, also counted from the top.
    bool BlendFrom(const PxImage& source, LONG left, LONG top, LONG right, LONG bottom, LONG x,
                   LONG y, bool mixAlpha = false);
    bool BlendFromEx(const PxImage& source, LONG left, LONG top, LONG right, LONG bottom, LONG x,
                     LONG y, bool mixAlpha = false, bool blend = true);

    // Memory images. buffer must come in null; on success the caller owns it (std::free).
    bool EncodeToMemory(BYTE*& buffer, LONG& size, DWORD format);
    bool DecodeFromMemory(const BYTE* buffer, DWORD size, DWORD format);

protected:
    // 16- and 32-bit rows into this 24-bit image, last row and last pixel first.
    void BitfieldToRgb(const BYTE* source, DWORD redMask, DWORD greenMask, DWORD blueMask,
                       BYTE bits);
    void FreeOwnedBuffers();
    bool CheckCancel() const { return m_info.cancel != 0; }
    // Makes the palette `count` entries long (1 up to what the depth holds); the pixel rows
    // move to follow it, new entries are black. False for other counts.
    bool SetPaletteCount(DWORD count);

    void* m_dib = nullptr;
    PxBitmapInfoHeader m_head{};
    PxImageInfo m_info{};
    BYTE* m_selection = nullptr;
    BYTE* m_alpha = nullptr;
    PxImage** m_frames = nullptr;
};
