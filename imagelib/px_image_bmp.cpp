// BMP decoder and encoder. Every size, count and offset of the file is checked before use.
#include "imagelib/px_image_bmp.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "imagelib/px_codec_io.h"
#include "util/le_bytes.h"

namespace {

constexpr WORD kBmpMagic = 0x4D42; // "BM"
constexpr DWORD kCoreHeaderSize = 12;
constexpr DWORD kOs2HeaderSize = 64;

struct BmpInfo {
    DWORD headerSize = 0;
    LONG width = 0;
    LONG height = 0;
    WORD planes = 0;
    WORD bitCount = 0;
    DWORD compression = 0;
    DWORD sizeImage = 0;
    LONG xPelsPerMeter = 0;
    LONG yPelsPerMeter = 0;
    DWORD clrUsed = 0;
};

std::uint64_t RowBytes(std::uint64_t bitCount, std::uint64_t width) {
    return ((bitCount * width + 31) / 32) * 4;
}

// The info header in its 12-, 40-, 64- or longer form; the stream ends right after it.
bool ReadInfoHeader(PxFile* file, BmpInfo& info) {
    std::array<BYTE, 4> sizeField{};
    if (!PxReadExact(file, sizeField.data(), sizeField.size()))
        return false;
    lv::ByteReader sizeReader(sizeField);
    sizeReader.u32(info.headerSize);

    if (info.headerSize == kCoreHeaderSize) {
        std::array<BYTE, 8> core{};
        if (!PxReadExact(file, core.data(), core.size()))
            return false;
        lv::ByteReader r(core);
        std::uint16_t width = 0, height = 0;
        r.u16(width);
        r.u16(height);
        r.u16(info.planes);
        r.u16(info.bitCount);
        info.width = width;
        info.height = height;
    } else {
        if (info.headerSize < kPxInfoHeaderSize)
            return false;
        std::array<BYTE, kPxInfoHeaderSize - 4> rest{};
        if (!PxReadExact(file, rest.data(), rest.size()))
            return false;
        lv::ByteReader r(rest);
        DWORD clrImportant = 0;
        r.i32(info.width);
        r.i32(info.height);
        r.u16(info.planes);
        r.u16(info.bitCount);
        r.u32(info.compression);
        r.u32(info.sizeImage);
        r.i32(info.xPelsPerMeter);
        r.i32(info.yPelsPerMeter);
        r.u32(info.clrUsed);
        r.u32(clrImportant);
    }

    const std::uint64_t computed =
        RowBytes(info.bitCount, static_cast<std::uint32_t>(info.width)) *
        static_cast<std::uint64_t>(info.height < 0 ? -static_cast<std::int64_t>(info.height)
                                                   : info.height);
    if (info.headerSize == kOs2HeaderSize) {
        if (!file->Seek(kOs2HeaderSize - kPxInfoHeaderSize, 1))
            return false;
    } else if (info.headerSize > kPxInfoHeaderSize) {
        if (info.sizeImage != computed || info.planes != 1 ||
            info.compression != kPxCompressionNone || info.clrUsed != 0)
            return false;
        if (info.headerSize - kPxInfoHeaderSize > 0x7FFFFFFFu ||
            !file->Seek(static_cast<LONG>(info.headerSize - kPxInfoHeaderSize), 1))
            return false;
    }
    if (info.sizeImage == 0)
        info.sizeImage = static_cast<DWORD>(computed);
    if (info.clrUsed == 0 && info.bitCount <= 8)
        info.clrUsed = 1u << info.bitCount;
    return true;
}

LONG DpiOf(LONG pixelsPerMetre) {
    return static_cast<LONG>(std::floor(static_cast<double>(pixelsPerMetre) * 0.0254 + 0.5));
}

// Bits of a colour mask as (lowest set bit, number of bits).
struct MaskShape {
    int shift = 0;
    int bits = 0;
};

MaskShape ShapeOf(DWORD mask) {
    if (!mask)
        return {};
    const int shift = std::countr_zero(mask);
    return {shift, std::popcount(mask >> shift)};
}

BYTE ScaleChannel(DWORD word, DWORD mask, MaskShape shape) {
    if (!shape.bits)
        return 0;
    const DWORD value = (word & mask) >> shape.shift;
    if (shape.bits >= 8)
        return static_cast<BYTE>(value >> (shape.bits - 8));
    return static_cast<BYTE>(value << (8 - shape.bits));
}

} // namespace

void PxImage::BitfieldToRgb(const BYTE* source, DWORD redMask, DWORD greenMask, DWORD blueMask,
                            BYTE bits) {
    if (!m_dib || !source || m_head.biBitCount != 24)
        return;
    const LONG width = m_head.biWidth;
    const LONG height = m_head.biHeight;
    // Rows and pixels go from last to first so that the conversion may run in place: the
    // 24-bit rows are never shorter than the source rows.
    if (bits == 16) {
        const MaskShape red = ShapeOf(redMask), green = ShapeOf(greenMask),
                        blue = ShapeOf(blueMask);
        const std::size_t sourceStride = static_cast<std::size_t>((width + 1) / 2) * 4;
        for (LONG y = height - 1; y >= 0; --y) {
            const BYTE* from = source + y * sourceStride;
            BYTE* to = m_info.pixels + static_cast<std::size_t>(y) * m_info.rowStride;
            for (LONG x = width - 1; x >= 0; --x) {
                const DWORD word = from[2 * x] | (from[2 * x + 1] << 8);
                const BYTE b = ScaleChannel(word, blueMask, blue);
                const BYTE g = ScaleChannel(word, greenMask, green);
                const BYTE r = ScaleChannel(word, redMask, red);
                to[3 * x] = b;
                to[3 * x + 1] = g;
                to[3 * x + 2] = r;
            }
        }
        return;
    }
    if (bits == 32) {
        const std::size_t sourceStride = static_cast<std::size_t>(width) * 4;
        for (LONG y = height - 1; y >= 0; --y) {
            const BYTE* from = source + y * sourceStride;
            BYTE* to = m_info.pixels + static_cast<std::size_t>(y) * m_info.rowStride;
            for (LONG x = width - 1; x >= 0; --x) {
                const BYTE b = from[4 * x], g = from[4 * x + 1], r = from[4 * x + 2];
                to[3 * x] = b;
                to[3 * x + 1] = g;
                to[3 * x + 2] = r;
            }
        }
    }
}

namespace {

// Run-length data (RLE8 when nibbles is false, RLE4 otherwise); stops at the end of the data,
// the end-of-bitmap code or past the last row.
void DecodeRunLength(PxImage& image, PxFile* file, bool nibbles) {
    PxByteSource in(file);
    const LONG width = static_cast<LONG>(image.GetWidth());
    const LONG height = static_cast<LONG>(image.GetHeight());
    std::int64_t x = 0, y = 0;
    const auto put = [&](int value) {
        if (x >= 0 && x < width && y >= 0 && y < height)
            image.SetPixelIndex(static_cast<LONG>(x), static_cast<LONG>(y),
                                static_cast<BYTE>(value));
        ++x;
    };
    while (y < height) {
        const int count = in.Next();
        const int value = in.Next();
        if (count < 0 || value < 0)
            return;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(nibbles ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            const int dx = in.Next();
            const int dy = in.Next();
            if (dx < 0 || dy < 0)
                return;
            x += dx;
            y += dy;
        } else {
            const int bytes = nibbles ? (value + 1) / 2 : value;
            for (int i = 0; i < bytes; ++i) {
                const int packed = in.Next();
                if (packed < 0)
                    return;
                if (!nibbles) {
                    put(packed);
                    continue;
                }
                put(packed >> 4);
                if (2 * i + 1 < value)
                    put(packed & 0x0F);
            }
            if ((bytes & 1) && in.Next() < 0)
                return;
        }
    }
}

} // namespace

bool PxImageBMP::Decode(PxFile* file) {
    if (!file)
        return false;
    const char* failure = nullptr;
    const auto fail = [&](const char* text) {
        failure = text;
        return false;
    };
    const auto run = [&]() -> bool {
        const LONG start = file->Tell();
        std::array<BYTE, kPxFileHeaderSize> fileHeader{};
        if (!PxReadExact(file, fileHeader.data(), fileHeader.size()))
            return fail("Not a BMP");
        lv::ByteReader fh(fileHeader);
        WORD type = 0;
        DWORD fileSize = 0, reserved = 0, pixelOffset = 0;
        fh.u16(type);
        fh.u32(fileSize);
        fh.u32(reserved);
        fh.u32(pixelOffset);
        if (type != kBmpMagic) {
            if (!file->Seek(start, 0))
                return fail("Not a BMP");
            pixelOffset = 0;
        }

        BmpInfo info;
        if (!ReadInfoHeader(file, info))
            return fail("Error reading BMP info");
        const bool coreHeader = info.headerSize == kCoreHeaderSize;
        bool topDown = false;
        if (info.height < 0) {
            if (info.height == INT32_MIN)
                return fail("Error reading BMP info");
            topDown = true;
            info.height = -info.height;
        }

        // Uncompressed pixels that the stream cannot hold: fail before allocating for them.
        const LONG streamSize = file->Size();
        if (streamSize >= start && start >= 0 && info.width > 0 &&
            (info.compression == kPxCompressionNone || info.bitCount == 16 ||
             info.bitCount == 32)) {
            const std::uint64_t needed =
                RowBytes(info.bitCount, static_cast<std::uint32_t>(info.width)) *
                static_cast<std::uint64_t>(info.height);
            if (needed > static_cast<std::uint64_t>(streamSize - start))
                return fail("BMP data truncated");
        }
        if (!Create(info.width, info.height, info.bitCount, PXIMAGE_FORMAT_BMP))
            return fail("Can't allocate memory");
        m_info.xDpi = DpiOf(info.xPelsPerMeter);
        m_info.yDpi = DpiOf(info.yPelsPerMeter);
        m_head.biXPelsPerMeter = info.xPelsPerMeter;
        m_head.biYPelsPerMeter = info.yPelsPerMeter;
        if (CheckCancel())
            return fail("Cancelled");

        if (PxRgbQuad* palette = GetPalette()) {
            const DWORD entrySize = coreHeader ? 3 : 4;
            const DWORD entries =
                info.clrUsed < GetPaletteCount() ? info.clrUsed : GetPaletteCount();
            std::vector<BYTE> raw(static_cast<std::size_t>(entries) * entrySize);
            if (!PxReadExact(file, raw.data(), raw.size()))
                return fail("Error reading BMP palette");
            for (DWORD i = 0; i < entries; ++i)
                palette[i] = PxRgbQuad{raw[i * entrySize], raw[i * entrySize + 1],
                                       raw[i * entrySize + 2], 0};
            m_info.nearestValid = 0;
        }
        if (CheckCancel())
            return fail("Cancelled");

        DWORD masks[3] = {0x7C00, 0x03E0, 0x001F};
        if (info.bitCount == 16 && info.compression == kPxCompressionBitfields) {
            std::array<BYTE, 12> maskBytes{};
            if (!PxReadExact(file, maskBytes.data(), maskBytes.size()))
                return fail("Error reading BMP info");
            lv::ByteReader mr(maskBytes);
            mr.u32(masks[0]);
            mr.u32(masks[1]);
            mr.u32(masks[2]);
        }
        if (pixelOffset) {
            const std::int64_t target = static_cast<std::int64_t>(start) + pixelOffset;
            if (start < 0 || target > 0x7FFFFFFF || !file->Seek(static_cast<LONG>(target), 0))
                return fail("BMP data truncated");
        }

        const std::size_t imageBytes = m_head.biSizeImage;
        switch (info.bitCount) {
        case 1:
        case 4:
        case 8:
            if (info.compression == kPxCompressionNone) {
                if (!PxReadExact(file, m_info.pixels, imageBytes))
                    return fail("BMP data truncated");
            } else if (info.compression == kPxCompressionRle8 ||
                       info.compression == kPxCompressionRle4) {
                std::memset(m_info.pixels, 0, imageBytes);
                DecodeRunLength(*this, file, info.compression == kPxCompressionRle4);
            } else {
                return fail("compression type not supported");
            }
            break;
        case 16: {
            const std::size_t bytes = static_cast<std::size_t>((info.width + 1) / 2) * 4 *
                                      static_cast<std::size_t>(info.height);
            if (!PxReadExact(file, m_info.pixels, bytes))
                return fail("BMP data truncated");
            BitfieldToRgb(m_info.pixels, masks[0], masks[1], masks[2], 16);
            break;
        }
        case 24:
            if (info.compression != kPxCompressionNone)
                return fail("unknown compression");
            if (!PxReadExact(file, m_info.pixels, imageBytes))
                return fail("BMP data truncated");
            break;
        case 32: {
            if (info.compression != kPxCompressionNone &&
                info.compression != kPxCompressionBitfields)
                return fail("unknown compression");
            const std::size_t bytes =
                static_cast<std::size_t>(info.width) * 4 * static_cast<std::size_t>(info.height);
            BYTE* wide = static_cast<BYTE*>(std::malloc(bytes));
            if (!wide)
                return fail("can't allocate memory");
            const bool complete = PxReadExact(file, wide, bytes);
            if (complete)
                BitfieldToRgb(wide, 0, 0, 0, 32);
            std::free(wide);
            if (!complete)
                return fail("BMP data truncated");
            break;
        }
        default:
            return fail("BMP bit count not supported");
        }
        if (topDown)
            Flip();
        return true;
    };
    if (run())
        return true;
    SetLastErrorText(failure);
    return false;
}

bool PxImageBMP::Encode(PxFile* file) {
    if (CheckEncodeTarget(file))
        return false;
    const DWORD paletteBytes = GetPaletteSize();
    std::vector<BYTE> headers;
    lv::ByteWriter w(headers);
    w.u16(kBmpMagic);
    w.u32(GetSize() + kPxFileHeaderSize);
    w.u16(0);
    w.u16(0);
    w.u32(kPxFileHeaderSize + kPxInfoHeaderSize + paletteBytes);
    w.u32(kPxInfoHeaderSize);
    w.i32(m_head.biWidth);
    w.i32(m_head.biHeight);
    w.u16(m_head.biPlanes);
    w.u16(m_head.biBitCount);
    w.u32(m_head.biCompression);
    w.u32(m_head.biSizeImage);
    w.i32(m_head.biXPelsPerMeter);
    w.i32(m_head.biYPelsPerMeter);
    w.u32(m_head.biClrUsed);
    w.u32(m_head.biClrImportant);

    std::memcpy(m_dib, &m_head, kPxInfoHeaderSize);
    const BYTE* body = static_cast<const BYTE*>(m_dib) + kPxInfoHeaderSize;
    const std::size_t bodyBytes = paletteBytes + static_cast<std::size_t>(m_head.biSizeImage);
    if (file->Write(headers.data(), headers.size(), 1) != 1 ||
        file->Write(body, bodyBytes, 1) != 1) {
        SetLastErrorText("Can't write BMP file");
        return false;
    }
    return true;
}
