#include "imagelib/px_image_wmf.h"

#include <array>
#include <vector>

#include "util/le_bytes.h"
#include "win32/win32.h"

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kStandardHeaderSize = 18;
constexpr long long kMaxSide = 4000;
constexpr long long kExtentStep = 6554; // extents grow tenfold while both stay below this

struct Placeable {
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
    std::uint16_t unitsPerInch = 0;
};

// The 22-byte header: key, handle, box, units per inch, reserved, and the XOR of the ten words
// before the checksum.
bool ReadPlaceable(const std::array<BYTE, kPlaceableSize>& bytes, Placeable& out) {
    lv::ByteReader r(bytes);
    std::uint32_t key = 0, reserved = 0;
    std::uint16_t handle = 0, checksum = 0;
    r.u32(key);
    r.u16(handle);
    r.i16(out.left);
    r.i16(out.top);
    r.i16(out.right);
    r.i16(out.bottom);
    r.u16(out.unitsPerInch);
    r.u32(reserved);
    r.u16(checksum);
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        sum ^= static_cast<std::uint16_t>(bytes[i] | (bytes[i + 1] << 8));
    return r.ok() && key == kPlaceableKey && sum == checksum && out.unitsPerInch >= 1 &&
           out.unitsPerInch <= 2540;
}

struct Display {
    int dpiX = 96, dpiY = 96, bits = 32;
};

Display QueryDisplay() {
    Display d;
    if (HDC screen = GetDC(nullptr)) {
        d.dpiX = GetDeviceCaps(screen, LOGPIXELSX);
        d.dpiY = GetDeviceCaps(screen, LOGPIXELSY);
        d.bits = GetDeviceCaps(screen, BITSPIXEL);
        ReleaseDC(nullptr, screen);
    }
    return d;
}

// A Windows metafile behind a placeable header, converted to an enhanced one; null when the
// stream holds none. `width` and `height` receive the picture's size in display pixels.
HENHMETAFILE ConvertWindowsMetafile(PxFile* file, LONG start, const Display& display,
                                    long long& width, long long& height) {
    const long long fileSize = file->Size();
    std::array<BYTE, kPlaceableSize> head{};
    Placeable p;
    if (file->Read(head.data(), 1, head.size()) != head.size() || !ReadPlaceable(head, p))
        return nullptr;
    std::array<BYTE, kStandardHeaderSize> standard{};
    if (file->Read(standard.data(), 1, standard.size()) != standard.size())
        return nullptr;
    lv::ByteReader r(standard);
    std::uint16_t type = 0, headerWords = 0, version = 0;
    std::uint32_t sizeWords = 0;
    r.u16(type);
    r.u16(headerWords);
    r.u16(version);
    r.u32(sizeWords);
    if (type != 1 && type != 2)
        return nullptr;
    // The metafile's words must lie within what follows the placeable header.
    const long long bytes = static_cast<long long>(sizeWords) * 2;
    if (bytes > fileSize - start - static_cast<long long>(kPlaceableSize) || bytes <= 0)
        return nullptr;
    std::vector<BYTE> data(static_cast<std::size_t>(bytes));
    if (!file->Seek(start + static_cast<LONG>(kPlaceableSize), 0) ||
        file->Read(data.data(), 1, data.size()) != data.size())
        return nullptr;

    width = (static_cast<long long>(p.right) - p.left) * display.dpiX / p.unitsPerInch;
    height = (static_cast<long long>(p.bottom) - p.top) * display.dpiY / p.unitsPerInch;
    long long extX = width, extY = height;
    while (extX > 0 && extY > 0 && extX < kExtentStep && extY < kExtentStep) {
        extX *= 10;
        extY *= 10;
    }
    METAFILEPICT picture{MM_ANISOTROPIC, static_cast<LONG>(extX), static_cast<LONG>(extY), nullptr};
    HENHMETAFILE mf =
        SetWinMetaFileBits(static_cast<UINT>(data.size()), data.data(), nullptr, &picture);
    if (!mf) {
        picture.mm = MM_TEXT;
        mf = SetWinMetaFileBits(static_cast<UINT>(data.size()), data.data(), nullptr, &picture);
    }
    return mf;
}

HENHMETAFILE LoadEnhancedMetafile(PxFile* file, LONG start, long long& width, long long& height) {
    const long long size = static_cast<long long>(file->Size()) - start;
    if (size <= 0 || !file->Seek(start, 0))
        return nullptr;
    std::vector<BYTE> data(static_cast<std::size_t>(size));
    if (file->Read(data.data(), 1, data.size()) != data.size())
        return nullptr;
    HENHMETAFILE mf = SetEnhMetaFileBits(static_cast<UINT>(data.size()), data.data());
    ENHMETAHEADER header{};
    if (!mf || GetEnhMetaFileHeader(mf, sizeof header, &header) == 0) {
        if (mf)
            DeleteEnhMetaFile(mf);
        return nullptr;
    }
    width = static_cast<long long>(header.rclBounds.right) - header.rclBounds.left;
    height = static_cast<long long>(header.rclBounds.bottom) - header.rclBounds.top;
    return mf;
}

// The metafile's palette, selected and realised in the DC; false when its memory is missing.
bool SelectMetafilePalette(HDC dc, HENHMETAFILE mf, HPALETTE& palette) {
    const UINT count = GetEnhMetaFilePaletteEntries(mf, 0, nullptr);
    if (count == 0 || count == static_cast<UINT>(GDI_ERROR))
        return true;
    HGLOBAL memory = GlobalAlloc(GMEM_ZEROINIT, sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    if (!memory)
        return false;
    auto* log = static_cast<LOGPALETTE*>(GlobalLock(memory));
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(count);
    GetEnhMetaFilePaletteEntries(mf, count, log->palPalEntry);
    palette = CreatePalette(log);
    GlobalUnlock(memory);
    GlobalFree(memory);
    if (palette) {
        SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    return true;
}

} // namespace

bool PxImageWMF::Decode(PxFile* file, LONG forcedWidth, LONG forcedHeight) {
    if (!file)
        return false;
    const LONG start = file->Tell();
    const Display display = QueryDisplay();
    long long width = 0, height = 0;
    HENHMETAFILE mf = ConvertWindowsMetafile(file, start, display, width, height);
    if (!mf) {
        mf = LoadEnhancedMetafile(file, start, width, height);
        if (!mf) {
            SetLastErrorText("corrupted WMF");
            return false;
        }
    }
    if (CheckCancel()) {
        DeleteEnhMetaFile(mf);
        SetLastErrorText("Cancelled");
        return false;
    }
    // An empty box, or one whose sides run backwards, holds no picture.
    if (width <= 0 || height <= 0) {
        DeleteEnhMetaFile(mf);
        SetLastErrorText("empty WMF");
        return false;
    }
    if (forcedWidth > 0)
        width = forcedWidth;
    if (forcedHeight > 0)
        height = forcedHeight;
    // Keep the aspect within 4000 pixels a side, in 64 bits so that no product overflows.
    if (width > kMaxSide) {
        height = std::max(1LL, height * kMaxSide / width);
        width = kMaxSide;
    }
    if (height > kMaxSide) {
        width = std::max(1LL, width * kMaxSide / height);
        height = kMaxSide;
    }

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap =
        CreateCompatibleBitmap(screen, static_cast<int>(width), static_cast<int>(height));
    ReleaseDC(nullptr, screen);
    if (!dc || !bitmap) {
        if (dc)
            DeleteDC(dc);
        if (bitmap)
            DeleteObject(bitmap);
        DeleteEnhMetaFile(mf);
        return false;
    }
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT rect{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    HPALETTE palette = nullptr;
    auto cleanUp = [&] {
        DeleteDC(dc);
        DeleteObject(bitmap);
        if (palette)
            DeleteObject(palette);
    };
    if (!SelectMetafilePalette(dc, mf, palette)) {
        SelectObject(dc, old);
        DeleteEnhMetaFile(mf);
        cleanUp();
        SetLastErrorText("Cancelled");
        return false;
    }
    PlayEnhMetaFile(dc, mf, &rect);
    SelectObject(dc, old);
    DeleteEnhMetaFile(mf);
    if (CheckCancel()) {
        cleanUp();
        SetLastErrorText("Cancelled");
        return false;
    }
    if (!Create(static_cast<LONG>(width), static_cast<LONG>(height),
                static_cast<DWORD>(display.bits), PXIMAGE_FORMAT_WMF)) {
        cleanUp();
        return false;
    }
    const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), GetBits(),
                               reinterpret_cast<BITMAPINFO*>(GetDIB()), DIB_RGB_COLORS);
    cleanUp();
    return rows > 0;
}

bool PxImageWMF::Encode(PxFile* file) {
    if (!file)
        return false;
    SetLastErrorText("Save WMF not supported");
    return false;
}
