#include "imagelib/px_image_tga.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "imagelib/px_codec_io.h"
#include "util/le_bytes.h"

namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr BYTE kRightToLeft = 0x10;
constexpr BYTE kTopToBottom = 0x20;
constexpr std::uint16_t kMaxColourMap = 256;

enum TgaImageType : BYTE {
    kColourMapped = 1,
    kTrueColour = 2,
    kGreyscale = 3,
    kRleColourMapped = 9,
    kRleTrueColour = 10,
    kRleGreyscale = 11,
};

struct TgaHeader {
    BYTE idLength = 0;
    BYTE colourMapType = 0;
    BYTE imageType = 0;
    std::uint16_t colourMapFirst = 0;
    std::uint16_t colourMapLength = 0;
    BYTE colourMapEntrySize = 0;
    std::uint16_t xOrigin = 0, yOrigin = 0;
    std::uint16_t width = 0, height = 0;
    BYTE pixelDepth = 0;
    BYTE descriptor = 0;
};

bool IsRunLength(BYTE type) {
    return type >= kRleColourMapped;
}

bool KnownDepth(BYTE depth) {
    return depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
}

// A stored pixel of 1 to 4 bytes as blue, green, red, alpha; 15 and 16 bits are 5-5-5.
PxRgbQuad ColourOf(const BYTE* p, int bytes) {
    switch (bytes) {
    case 2: {
        const unsigned v = p[0] | (p[1] << 8);
        return {static_cast<BYTE>((v & 0x1F) * 8), static_cast<BYTE>((v >> 2) & 0xF8),
                static_cast<BYTE>((v >> 7) & 0xF8), 255};
    }
    case 3:
        return {p[0], p[1], p[2], 255};
    case 4:
        return {p[0], p[1], p[2], p[3]};
    default:
        return {p[0], p[0], p[0], 255};
    }
}

// The pixels of every row in file order, with run-length packets that may cross from one
// row into the next.
class TgaPixelStream {
public:
    TgaPixelStream(PxFile* file, int pixelBytes, bool runLength)
        : m_in(file), m_bytes(pixelBytes), m_runLength(runLength) {}

    // Fills count pixels of pixelBytes each; false when the data end early.
    bool Read(BYTE* out, DWORD count) {
        if (!m_runLength)
            return m_in.Take(out, static_cast<std::size_t>(count) * m_bytes);
        while (count > 0) {
            if (m_left == 0) {
                const int packet = m_in.Next();
                if (packet < 0)
                    return false;
                m_repeat = (packet & 0x80) != 0;
                m_left = static_cast<DWORD>(packet & 0x7F) + 1;
                if (m_repeat && !m_in.Take(m_value.data(), static_cast<std::size_t>(m_bytes)))
                    return false;
            }
            const DWORD part = std::min(count, m_left);
            if (m_repeat) {
                for (DWORD i = 0; i < part; ++i)
                    std::copy_n(m_value.begin(), m_bytes,
                                out + static_cast<std::size_t>(i) * m_bytes);
            } else if (!m_in.Take(out, static_cast<std::size_t>(part) * m_bytes)) {
                return false;
            }
            out += static_cast<std::size_t>(part) * m_bytes;
            count -= part;
            m_left -= part;
        }
        return true;
    }

private:
    PxByteSource m_in;
    int m_bytes;
    bool m_runLength;
    bool m_repeat = false;
    DWORD m_left = 0;
    std::array<BYTE, 4> m_value{};
};

} // namespace

bool PxImageTGA::Decode(PxFile* file) {
    if (!file)
        return false;
    std::array<BYTE, kHeaderSize> raw{};
    if (!PxReadExact(file, raw.data(), raw.size())) {
        SetLastErrorText("Not a TGA");
        return false;
    }
    TgaHeader h;
    lv::ByteReader r(raw);
    r.u8(h.idLength);
    r.u8(h.colourMapType);
    r.u8(h.imageType);
    r.u16(h.colourMapFirst);
    r.u16(h.colourMapLength);
    r.u8(h.colourMapEntrySize);
    r.u16(h.xOrigin);
    r.u16(h.yOrigin);
    r.u16(h.width);
    r.u16(h.height);
    r.u8(h.pixelDepth);
    r.u8(h.descriptor);

    const BYTE type = h.imageType;
    if (!((type >= kColourMapped && type <= kGreyscale) ||
          (type >= kRleColourMapped && type <= kRleGreyscale))) {
        SetLastErrorText("Unknown TGA image type");
        return false;
    }
    const bool hasMap = h.colourMapType != 0;
    if (h.width == 0 || h.height == 0 || h.pixelDepth == 0 || h.colourMapLength > kMaxColourMap ||
        !KnownDepth(h.pixelDepth) ||
        (hasMap && h.colourMapLength > 0 && !KnownDepth(h.colourMapEntrySize))) {
        SetLastErrorText("bad TGA header");
        return false;
    }
    if (h.idLength && !file->Seek(h.idLength, 1)) {
        SetLastErrorText("corrupted TGA");
        return false;
    }
    // The least the colour map and the pixels take: run-length packets hold up to 128 pixels.
    const int pixelBytes = (h.pixelDepth + 7) / 8;
    const std::uint64_t pixelCount = static_cast<std::uint64_t>(h.width) * h.height;
    const std::uint64_t mapBytes =
        hasMap ? static_cast<std::uint64_t>(h.colourMapLength) * ((h.colourMapEntrySize + 7) / 8)
               : 0;
    const std::uint64_t leastBytes =
        mapBytes +
        (IsRunLength(type) ? (pixelCount + 127) / 128 * (1 + pixelBytes) : pixelCount * pixelBytes);
    const LONG left = PxBytesLeft(file);
    if (left >= 0 && leastBytes > static_cast<DWORD>(left)) {
        SetLastErrorText("corrupted TGA");
        return false;
    }
    if (!Create(h.width, h.height, h.pixelDepth, PXIMAGE_FORMAT_TGA)) {
        SetLastErrorText("TGA Create failed");
        return false;
    }
    const auto fail = [this](const char* text) {
        Destroy();
        SetLastErrorText(text);
        return false;
    };
    if (h.pixelDepth == 32 && !AlphaCreate())
        return fail("TGA Create failed");
    if (CheckCancel())
        return fail("Cancelled");

    if (hasMap && h.colourMapLength > 0) {
        // Entries are as wide as the header says (15/16, 24 or 32 bits).
        const int entryBytes = (h.colourMapEntrySize + 7) / 8;
        std::vector<BYTE> map(static_cast<std::size_t>(h.colourMapLength) * entryBytes);
        if (!PxReadExact(file, map.data(), map.size()))
            return fail("corrupted TGA");
        for (std::uint16_t i = 0; i < h.colourMapLength; ++i) {
            PxRgbQuad c =
                ColourOf(map.data() + static_cast<std::size_t>(i) * entryBytes, entryBytes);
            c.rgbReserved = 0;
            SetPaletteColor(static_cast<BYTE>(i), c);
        }
    }
    if (type == kGreyscale || type == kRleGreyscale)
        SetGreyPalette();

    const DWORD width = h.width;
    TgaPixelStream pixels(file, pixelBytes, IsRunLength(type));
    std::vector<BYTE> line(static_cast<std::size_t>(width) * pixelBytes);
    const bool topDown = (h.descriptor & kTopToBottom) != 0;
    for (DWORD y = 0; y < h.height; ++y) {
        if (CheckCancel())
            return fail("Cancelled");
        if (!pixels.Read(line.data(), width))
            return fail("corrupted TGA");
        const DWORD row = topDown ? h.height - 1 - y : y;
        BYTE* bits = GetBits(row);
        if (pixelBytes == 1) {
            std::copy(line.begin(), line.end(), bits);
        } else if (pixelBytes == 3) {
            std::copy(line.begin(), line.end(), bits);
        } else {
            BYTE* alpha = pixelBytes == 4 ? AlphaGetPointer(0, static_cast<LONG>(row)) : nullptr;
            for (DWORD x = 0; x < width; ++x) {
                const PxRgbQuad c =
                    ColourOf(line.data() + static_cast<std::size_t>(x) * pixelBytes, pixelBytes);
                bits[3 * x] = c.rgbBlue;
                bits[3 * x + 1] = c.rgbGreen;
                bits[3 * x + 2] = c.rgbRed;
                if (alpha)
                    alpha[x] = c.rgbReserved;
            }
        }
    }
    if (h.descriptor & kRightToLeft)
        Mirror();
    return true;
}

bool PxImageTGA::Encode(PxFile* file) {
    if (CheckEncodeTarget(file))
        return false;
    const WORD bpp = GetBpp();
    if (bpp < 8) {
        SetLastErrorText("Bit depth must be 8 or 24");
        return false;
    }
    const DWORD width = GetWidth(), height = GetHeight();
    if (width > 0xFFFF || height > 0xFFFF) {
        SetLastErrorText("Can't save this image as TGA");
        return false;
    }
    const bool palette = bpp == 8;
    const bool alpha = bpp == 24 && AlphaIsValid();
    std::vector<BYTE> out;
    lv::ByteWriter w(out);
    w.u8(0);
    w.u8(HasPalette() ? 1 : 0);
    w.u8(palette ? kColourMapped : kTrueColour);
    w.u16(0);
    w.u16(palette ? 256 : 0);
    w.u8(palette ? 24 : 0);
    w.u16(0);
    w.u16(0);
    w.u16(static_cast<std::uint16_t>(width));
    w.u16(static_cast<std::uint16_t>(height));
    w.u8(alpha ? 32 : static_cast<BYTE>(bpp));
    w.u8(0);
    if (palette) {
        for (DWORD i = 0; i < 256; ++i) {
            const PxRgbQuad c = GetPaletteColor(static_cast<BYTE>(i));
            w.u8(c.rgbBlue);
            w.u8(c.rgbGreen);
            w.u8(c.rgbRed);
        }
    }
    const unsigned alphaMax = GetAlphaMax();
    out.reserve(out.size() + static_cast<std::size_t>(height) * width * (alpha ? 4 : bpp / 8));
    for (DWORD y = 0; y < height; ++y) {
        const BYTE* row = GetBits(y);
        if (!alpha) {
            out.insert(out.end(), row, row + static_cast<std::size_t>(width) * (bpp / 8));
            continue;
        }
        const BYTE* plane = AlphaGetPointer(0, static_cast<LONG>(y));
        for (DWORD x = 0; x < width; ++x) {
            out.insert(out.end(), {row[3 * x], row[3 * x + 1], row[3 * x + 2],
                                   static_cast<BYTE>(plane[x] * alphaMax / 255)});
        }
    }
    if (!PxWriteExact(file, out.data(), out.size())) {
        SetLastErrorText("Write Error in TGA file");
        return false;
    }
    return true;
}
