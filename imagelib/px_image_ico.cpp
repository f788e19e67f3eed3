#include "imagelib/px_image_ico.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "imagelib/px_codec_io.h"
#include "imagelib/px_image_png.h"
#include "util/le_bytes.h"

namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kCursorType = 2;
constexpr DWORD kMaxIconSide = 255;
constexpr std::array<BYTE, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct IconEntry {
    BYTE width = 0;
    BYTE height = 0;
    DWORD bytesInResource = 0;
    DWORD imageOffset = 0;
};

// A 0 in the directory's width or height byte stands for 256 pixels.
LONG SideOf(BYTE value) {
    return value == 0 ? 256 : value;
}

DWORD MaskStrideOf(DWORD width) {
    return ((width + 31) / 32) * 4;
}

bool MaskBit(const std::vector<BYTE>& mask, DWORD stride, DWORD x, DWORD y) {
    return (mask[static_cast<std::size_t>(y) * stride + x / 8] >> (7 - x % 8)) & 1;
}

} // namespace

bool PxImageICO::DecodePngEntry(PxFile* file, DWORD bytes) {
    // The entry's PNG stream is read whole (no more than the file holds) and decoded alone.
    const LONG at = file->Tell();
    const LONG size = file->Size();
    if (at >= 0 && size >= at)
        bytes = std::min<DWORD>(bytes, static_cast<DWORD>(size - at));
    std::vector<BYTE> png(bytes);
    if (!PxReadExact(file, png.data(), png.size()))
        return false;
    PxMemoryFile stream(png.data(), static_cast<DWORD>(png.size()));
    PxImagePNG decoder;
    decoder.CopyInfo(*this);
    if (!decoder.Decode(&stream))
        return false;
    const LONG frames = GetNumFrames();
    Transfer(decoder);
    m_info.format = PXIMAGE_FORMAT_ICO;
    SetNumFrames(frames);
    return true;
}

bool PxImageICO::Decode(PxFile* file) {
    if (!file)
        return false;
    const LONG start = file->Tell();
    std::array<BYTE, kDirectoryHeaderSize> head{};
    if (!PxReadExact(file, head.data(), head.size()))
        return false;
    lv::ByteReader hr(head);
    std::uint16_t reserved = 0, type = 0, count = 0;
    hr.u16(reserved);
    hr.u16(type);
    hr.u16(count);
    if (reserved != 0 || (type != kIconType && type != kCursorType))
        return false;
    SetNumFrames(count);

    std::vector<BYTE> directory(static_cast<std::size_t>(count) * kEntrySize);
    if (!PxReadExact(file, directory.data(), directory.size()))
        return false;
    const LONG frame = GetFrameIndex();
    if (frame < 0 || frame >= count)
        return false;
    lv::ByteReader er(directory);
    er.skip(static_cast<std::size_t>(frame) * kEntrySize);
    IconEntry entry;
    std::uint16_t planes = 0, bitCount = 0;
    BYTE colourCount = 0, entryReserved = 0;
    er.u8(entry.width);
    er.u8(entry.height);
    er.u8(colourCount);
    er.u8(entryReserved);
    er.u16(planes);
    er.u16(bitCount);
    er.u32(entry.bytesInResource);
    er.u32(entry.imageOffset);

    if (entry.imageOffset > 0x7FFFFFFFu - static_cast<DWORD>(std::max<LONG>(start, 0)) ||
        !file->Seek(start + static_cast<LONG>(entry.imageOffset), 0))
        return false;
    std::array<BYTE, kPxInfoHeaderSize> header{};
    if (!PxReadExact(file, header.data(), kPngSignature.size()))
        return false;
    if (std::equal(kPngSignature.begin(), kPngSignature.end(), header.begin())) {
        file->Seek(-static_cast<LONG>(kPngSignature.size()), 1);
        return DecodePngEntry(file, entry.bytesInResource);
    }
    if (!PxReadExact(file, header.data() + kPngSignature.size(),
                     header.size() - kPngSignature.size()))
        return false;
    lv::ByteReader br(header);
    std::uint16_t headerBits = 0;
    br.skip(14);
    br.u16(headerBits);

    const LONG width = SideOf(entry.width);
    const LONG height = SideOf(entry.height);
    if (!Create(width, height, headerBits, PXIMAGE_FORMAT_ICO))
        return false;
    const auto fail = [this] {
        Destroy();
        return false;
    };
    const DWORD paletteCount = GetPaletteCount();
    if (paletteCount) {
        std::vector<PxRgbQuad> palette(paletteCount);
        if (!PxReadExact(file, palette.data(), paletteCount * sizeof(PxRgbQuad)))
            return fail();
        for (PxRgbQuad& c : palette)
            c.rgbReserved = 0;
        SetPalette(palette.data(), paletteCount);
    }
    if (headerBits > 24) {
        const std::size_t pixels =
            static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        std::vector<BYTE> bgra(pixels * 4);
        if (!PxReadExact(file, bgra.data(), bgra.size()) || !AlphaCreate())
            return fail();
        for (LONG y = 0; y < height; ++y) {
            BYTE* row = GetBits(static_cast<DWORD>(y));
            BYTE* alpha = AlphaGetPointer(0, y);
            const BYTE* from = bgra.data() + static_cast<std::size_t>(y) * width * 4;
            for (LONG x = 0; x < width; ++x) {
                std::memcpy(row + 3 * x, from + 4 * x, 3);
                alpha[x] = from[4 * x + 3];
            }
        }
    } else if (!PxReadExact(file, m_info.pixels, m_head.biSizeImage)) {
        return fail();
    }

    const DWORD maskStride = MaskStrideOf(static_cast<DWORD>(width));
    std::vector<BYTE> mask(static_cast<std::size_t>(maskStride) * static_cast<DWORD>(height));
    if (!PxReadExact(file, mask.data(), mask.size()))
        return true;
    ApplyMask(mask, maskStride);
    return true;
}

void PxImageICO::ApplyMask(const std::vector<BYTE>& mask, DWORD maskStride) {
    const LONG width = static_cast<LONG>(GetWidth()), height = static_cast<LONG>(GetHeight());
    if (std::all_of(mask.begin(), mask.end(), [](BYTE b) { return b == 0xFF; })) {
        SetTransIndex(0);
        Negative();
        return;
    }
    // A 32-bit entry brings its own alpha plane, which the mask only adds to.
    const bool ownAlpha = AlphaIsValid();
    if (!ownAlpha && !AlphaCreate())
        return;
    bool anyMasked = false;
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
            if (MaskBit(mask, maskStride, static_cast<DWORD>(x), static_cast<DWORD>(y))) {
                AlphaSet(x, y, 0);
                anyMasked = true;
            }
    if (ownAlpha)
        return;
    if (!anyMasked) {
        AlphaDelete();
        return;
    }
    const auto masked = [&](LONG x, LONG y) {
        return MaskBit(mask, maskStride, static_cast<DWORD>(x), static_cast<DWORD>(y));
    };
    if (GetBpp() == 24) {
        // Masked pixels of one single colour become that transparent colour instead.
        bool first = true, single = true;
        PxRgbQuad key{};
        for (LONG y = 0; y < height && single; ++y)
            for (LONG x = 0; x < width && single; ++x) {
                if (!masked(x, y))
                    continue;
                const PxRgbQuad c = GetPixelColor(x, y, false);
                if (first)
                    key = c;
                single = first || (c.rgbBlue == key.rgbBlue && c.rgbGreen == key.rgbGreen &&
                                   c.rgbRed == key.rgbRed);
                first = false;
            }
        if (single) {
            SetTransColor(key);
            SetTransIndex(0);
            AlphaDelete();
        }
        return;
    }
    // Palette pictures: the masked pixels take the lowest index no pixel uses.
    std::array<bool, 256> used{};
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
            used[GetPixelIndexUnchecked(x, y)] = true;
    const DWORD count = GetPaletteCount();
    DWORD free = 0;
    while (free < count && used[free])
        ++free;
    if (free == count)
        return;
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
            if (masked(x, y))
                SetPixelIndex(x, y, static_cast<BYTE>(free));
    SetTransIndex(static_cast<LONG>(free));
    AlphaDelete();
}

bool PxImageICO::Encode(PxFile* file) {
    if (CheckEncodeTarget(file))
        return false;
    const DWORD width = GetWidth(), height = GetHeight();
    if (width > kMaxIconSide || height > kMaxIconSide) {
        SetLastErrorText("Can't save this image as icon");
        return false;
    }
    const WORD imageBits = GetBpp();
    if (imageBits <= 8 && !HasPalette())
        return false;
    const bool withAlpha = imageBits == 24 && AlphaIsValid();
    const WORD bitCount = withAlpha ? 32 : imageBits;
    const DWORD maskStride = MaskStrideOf(width);
    const DWORD maskSize = maskStride * height;
    const DWORD bitsSize = withAlpha ? width * height * 4 : m_head.biSizeImage;
    const DWORD colours = GetPaletteCount();

    std::vector<BYTE> out;
    lv::ByteWriter w(out);
    w.u16(0);
    w.u16(kIconType);
    w.u16(1);
    w.u8(static_cast<BYTE>(width));
    w.u8(static_cast<BYTE>(height));
    w.u8(static_cast<BYTE>(colours)); // 256 colours are written as 0
    w.u8(0);
    w.u16(0);
    w.u16(bitCount);
    w.u32(bitsSize + colours * 4 + maskSize + kPxInfoHeaderSize);
    w.u32(kDirectoryHeaderSize + kEntrySize);
    w.u32(kPxInfoHeaderSize);
    w.i32(static_cast<LONG>(width));
    w.i32(static_cast<LONG>(height * 2));
    w.u16(1);
    w.u16(bitCount);
    w.u32(0);
    w.u32(bitsSize);
    w.zeros(16);
    const PxRgbQuad* palette = GetPalette();
    if (colours)
        w.bytes(palette, colours * 4);
    if (withAlpha) {
        const unsigned alphaMax = GetAlphaMax();
        for (DWORD y = 0; y < height; ++y) {
            const BYTE* row = GetBits(y);
            const BYTE* alpha = AlphaGetPointer(0, static_cast<LONG>(y));
            for (DWORD x = 0; x < width; ++x) {
                w.bytes(row + 3 * x, 3);
                w.u8(static_cast<BYTE>(alpha[x] * alphaMax / 255));
            }
        }
    } else {
        w.bytes(m_info.pixels, m_head.biSizeImage);
    }

    const bool paletteAlpha = colours && AlphaPaletteIsValid();
    const bool keyed = HasTransIndex();
    const PxRgbQuad key = GetTransColor();
    std::vector<BYTE> mask(maskSize, 0);
    for (DWORD y = 0; y < height; ++y)
        for (DWORD x = 0; x < width; ++x) {
            const LONG px = static_cast<LONG>(x), py = static_cast<LONG>(y);
            bool hidden = AlphaIsValid() && AlphaGetUnchecked(px, py) == 0;
            if (!hidden && paletteAlpha)
                hidden = palette[GetPixelIndexUnchecked(px, py)].rgbReserved == 0;
            if (!hidden && keyed) {
                const PxRgbQuad c = GetPixelColor(px, py, false);
                hidden = c.rgbBlue == key.rgbBlue && c.rgbGreen == key.rgbGreen &&
                         c.rgbRed == key.rgbRed;
            }
            if (hidden)
                mask[static_cast<std::size_t>(y) * maskStride + x / 8] |=
                    static_cast<BYTE>(0x80 >> (x % 8));
        }
    w.bytes(mask.data(), mask.size());
    if (!PxWriteExact(file, out.data(), out.size())) {
        SetLastErrorText("Write Error in ICO file");
        return false;
    }
    return true;
}
