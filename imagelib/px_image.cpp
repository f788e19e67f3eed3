// Construction, allocation, copying and ownership of PxImage.
#include "imagelib/px_image.h"

#include "util/large_block.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

static_assert(sizeof(PxBitmapInfoHeader) == kPxInfoHeaderSize);
static_assert(sizeof(PxRgbQuad) == 4);

namespace {

// The part of an information block that another image may take over: never the buffers it
// points at nor the bookkeeping of the frames it owns.
PxImageInfo PortableInfo(const PxImageInfo& source, const PxImageInfo& own) {
    PxImageInfo info = source;
    info.pixels = own.pixels;
    info.shallowOwner = own.shallowOwner;
    info.frameListCount = own.frameListCount;
    return info;
}

} // namespace

PxImage::PxImage(DWORD format) {
    InitDefaults(format);
}

PxImage::PxImage(LONG width, LONG height, DWORD bpp, DWORD format) {
    InitDefaults(format);
    Create(width, height, bpp, format);
}

PxImage::PxImage(const PxImage& source, bool copyPixels, bool copySelection, bool copyAlpha) {
    InitDefaults(source.m_info.format);
    Copy(source, copyPixels, copySelection, copyAlpha);
}

PxImage::~PxImage() {
    Destroy();
}

PxImage& PxImage::operator=(const PxImage& source) {
    if (&source != this)
        Copy(source, true, true, true);
    return *this;
}

void PxImage::InitDefaults(DWORD format) {
    m_dib = nullptr;
    m_selection = nullptr;
    m_alpha = nullptr;
    m_frames = nullptr;
    m_head = {};
    m_info = {};
    m_info.format = format;
    m_info.jpegQuality = 90;
    m_info.alphaMax = 255;
    m_info.transIndex = -1;
    m_info.enabled = 1;
    SetXDPI(96);
    SetYDPI(96);
}

void PxImage::FreeOwnedBuffers() {
    if (m_frames) {
        for (LONG i = 0; i < m_info.frameListCount; ++i)
            delete m_frames[i];
        delete[] m_frames;
    }
    m_frames = nullptr;
    m_info.frameListCount = 0;
    std::free(m_selection);
    m_selection = nullptr;
    std::free(m_alpha);
    m_alpha = nullptr;
    std::free(m_dib);
    m_dib = nullptr;
    m_info.pixels = nullptr;
}

bool PxImage::Destroy() {
    if (m_info.shallowOwner)
        return false;
    FreeOwnedBuffers();
    return true;
}

void* PxImage::Create(LONG width, LONG height, DWORD bpp, DWORD format) {
    if (!Destroy())
        return nullptr;
    if (width <= 0 || height <= 0) {
        SetLastErrorText("PxImage::Create : width and height must be greater than zero");
        return nullptr;
    }
    const WORD bits = bpp <= 1 ? 1 : bpp <= 4 ? 4 : bpp <= 8 ? 8 : 24;
    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bits + 31) >> 5) * 4;
    // Each factor is below the limit, so the product cannot wrap in 64 bits.
    const std::uint64_t imageBytes = stride > kPxMaxImageBytes
                                         ? kPxMaxImageBytes + 1
                                         : stride * static_cast<std::uint64_t>(height);
    const DWORD paletteCount = bits == 24 ? 0 : (1u << bits);
    const std::uint64_t total = kPxInfoHeaderSize + paletteCount * 4ull + imageBytes;
    if (total > kPxMaxImageBytes) {
        SetLastErrorText("PXIMAGE_MAX_MEMORY exceeded");
        return nullptr;
    }

    m_info.format = format;
    m_info.rowStride = static_cast<DWORD>(stride);
    m_head.biSize = kPxInfoHeaderSize;
    m_head.biWidth = width;
    m_head.biHeight = height;
    m_head.biPlanes = 1;
    m_head.biBitCount = bits;
    m_head.biCompression = kPxCompressionNone;
    m_head.biSizeImage = static_cast<DWORD>(imageBytes);
    m_head.biClrUsed = paletteCount;
    m_head.biClrImportant = 0;

    m_dib = lv::allocate_large_block(static_cast<std::size_t>(total));
    if (!m_dib) {
        SetLastErrorText("PxImage::Create can't allocate memory");
        return nullptr;
    }
    BYTE* block = static_cast<BYTE*>(m_dib);
    std::memcpy(block, &m_head, kPxInfoHeaderSize);
    std::memset(block + kPxInfoHeaderSize, 0, paletteCount * 4);
    m_info.pixels = block + kPxInfoHeaderSize + paletteCount * 4;
    m_info.nearestValid = 0;
    return m_dib;
}

bool PxImage::Copy(const PxImage& source, bool copyPixels, bool copySelection, bool copyAlpha) {
    if (&source == this || !Destroy())
        return false;
    m_info = PortableInfo(source.m_info, m_info);
    m_head.biXPelsPerMeter = source.m_head.biXPelsPerMeter;
    m_head.biYPelsPerMeter = source.m_head.biYPelsPerMeter;
    if (!source.m_dib)
        return false;
    if (!Create(source.m_head.biWidth, source.m_head.biHeight, source.m_head.biBitCount,
                source.m_info.format))
        return false;
    // Same layout first: the palette may be shorter than the depth allows.
    CopyPalette(source);
    if (copyPixels)
        std::memcpy(m_dib, source.m_dib, GetSize());

    const std::size_t planeBytes = static_cast<std::size_t>(GetWidth()) * GetHeight();
    if (copySelection && source.m_selection) {
        m_selection = static_cast<BYTE*>(std::malloc(planeBytes));
        if (m_selection)
            std::memcpy(m_selection, source.m_selection, planeBytes);
    }
    if (copyAlpha && source.m_alpha) {
        m_alpha = static_cast<BYTE*>(std::malloc(planeBytes));
        if (m_alpha)
            std::memcpy(m_alpha, source.m_alpha, planeBytes);
    }
    return true;
}

void PxImage::CopyInfo(const PxImage& source) {
    if (m_dib || &source == this)
        return;
    m_info = PortableInfo(source.m_info, m_info);
}

bool PxImage::Transfer(PxImage& source) {
    if (&source == this)
        return true;
    // A shallow copy owns nothing, so it has nothing to hand over.
    if (source.m_info.shallowOwner || !Destroy())
        return false;
    m_head = source.m_head;
    m_info = source.m_info;
    m_dib = source.m_dib;
    m_selection = source.m_selection;
    m_alpha = source.m_alpha;
    m_frames = source.m_frames;
    source.m_head = {};
    source.m_info = {};
    source.m_dib = nullptr;
    source.m_selection = nullptr;
    source.m_alpha = nullptr;
    source.m_frames = nullptr;
    return true;
}

void PxImage::ShallowCopy(const PxImage& source) {
    if (&source == this)
        return;
    Destroy();
    m_head = source.m_head;
    m_info = source.m_info;
    m_dib = source.m_dib;
    m_selection = source.m_selection;
    m_alpha = source.m_alpha;
    m_frames = source.m_frames;
    m_info.shallowOwner = const_cast<PxImage*>(&source);
}

void PxImage::Clear(BYTE value) {
    if (!m_dib)
        return;
    BYTE fill = value;
    if (m_head.biBitCount == 1)
        fill = value ? 255 : 0;
    else if (m_head.biBitCount == 4)
        fill = static_cast<BYTE>((value & 0x0F) * 17);
    std::memset(m_info.pixels, fill, m_head.biSizeImage);
}

void PxImage::SetLastErrorText(const char* text) {
    if (!text)
        text = "";
    const std::size_t length = std::min(std::strlen(text), sizeof(m_info.lastError) - 1);
    std::memmove(m_info.lastError, text, length);
    m_info.lastError[length] = '\0';
}

DWORD PxImage::GetSize() const {
    return kPxInfoHeaderSize + GetPaletteSize() + m_head.biSizeImage;
}

BYTE* PxImage::GetBits(DWORD row) const {
    if (!m_dib || row >= GetHeight())
        return nullptr;
    BYTE* first = static_cast<BYTE*>(m_dib) + kPxInfoHeaderSize + GetPaletteSize();
    return first + static_cast<std::size_t>(row) * m_info.rowStride;
}

bool PxImage::IsInside(LONG x, LONG y) const {
    return x >= 0 && y >= 0 && x < m_head.biWidth && y < m_head.biHeight;
}

DWORD PxImage::GetColorKind() const {
    if (m_alpha)
        return 4;
    return m_head.biBitCount <= 8 ? 1 : 2;
}

void PxImage::SetTransColor(PxRgbQuad colour) {
    colour.rgbReserved = 0;
    m_info.transColor = colour;
}

PxRgbQuad PxImage::GetTransColor() const {
    if (m_head.biBitCount < 24 && m_info.transIndex >= 0)
        return GetPaletteColor(static_cast<BYTE>(m_info.transIndex));
    return m_info.transColor;
}

namespace {

LONG PixelsPerMetre(LONG dpi) {
    const double ppm = static_cast<double>(dpi) * 39.37007874015748 + 0.5;
    if (ppm >= 2147483647.0)
        return 2147483647;
    return static_cast<LONG>(ppm);
}

} // namespace

void PxImage::SetXDPI(LONG dpi) {
    if (dpi <= 0)
        dpi = 96;
    m_info.xDpi = dpi;
    m_head.biXPelsPerMeter = PixelsPerMetre(dpi);
    if (m_dib)
        static_cast<PxBitmapInfoHeader*>(m_dib)->biXPelsPerMeter = m_head.biXPelsPerMeter;
}

void PxImage::SetYDPI(LONG dpi) {
    if (dpi <= 0)
        dpi = 96;
    m_info.yDpi = dpi;
    m_head.biYPelsPerMeter = PixelsPerMetre(dpi);
    if (m_dib)
        static_cast<PxBitmapInfoHeader*>(m_dib)->biYPelsPerMeter = m_head.biYPelsPerMeter;
}

void PxImage::SetFrameOffset(LONG x, LONG y) {
    m_info.xOffset = x;
    m_info.yOffset = y;
}

DWORD PxImage::GetCodecOption(DWORD format) const {
    if (format == PXIMAGE_FORMAT_UNKNOWN)
        format = m_info.format;
    if (format > kPxMaxFormat)
        return 0;
    return m_info.codecOptions[format];
}

bool PxImage::SetCodecOption(DWORD value, DWORD format) {
    if (format == PXIMAGE_FORMAT_UNKNOWN)
        format = m_info.format;
    if (format > kPxMaxFormat)
        return false;
    m_info.codecOptions[format] = value;
    return true;
}
