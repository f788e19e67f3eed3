#include "imagelib/px_image_pcx.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "imagelib/px_codec_io.h"
#include "util/le_bytes.h"

namespace {

constexpr BYTE kManufacturer = 10;
constexpr BYTE kVersion5 = 5;
constexpr BYTE kRunLength = 1;
constexpr std::size_t kHeaderSize = 128;
constexpr BYTE kPaletteSignature = 12;
// The 256-colour palette: its signature byte and 256 red, green, blue triplets end the file.
constexpr LONG kTrailingPaletteSize = 1 + 256 * 3;
constexpr BYTE kRunFlag = 0xC0;
constexpr int kMaxRun = 63;

struct PcxHeader {
    BYTE manufacturer = 0;
    BYTE version = 0;
    BYTE encoding = 0;
    BYTE bitsPerPixel = 0;
    std::uint16_t xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    std::uint16_t hRes = 0, vRes = 0;
    std::array<BYTE, 48> colourMap{};
    BYTE planes = 0;
    std::uint16_t bytesPerLine = 0;
    std::uint16_t paletteInfo = 0;
};

PcxHeader ParseHeader(const std::array<BYTE, kHeaderSize>& raw) {
    PcxHeader h;
    lv::ByteReader r(raw);
    r.u8(h.manufacturer);
    r.u8(h.version);
    r.u8(h.encoding);
    r.u8(h.bitsPerPixel);
    r.u16(h.xMin);
    r.u16(h.yMin);
    r.u16(h.xMax);
    r.u16(h.yMax);
    r.u16(h.hRes);
    r.u16(h.vRes);
    r.bytes(h.colourMap.data(), h.colourMap.size());
    r.skip(1);
    r.u8(h.planes);
    r.u16(h.bytesPerLine);
    r.u16(h.paletteInfo);
    return h;
}

std::vector<BYTE> SerializeHeader(const PcxHeader& h) {
    std::vector<BYTE> out;
    lv::ByteWriter w(out);
    w.u8(h.manufacturer);
    w.u8(h.version);
    w.u8(h.encoding);
    w.u8(h.bitsPerPixel);
    w.u16(h.xMin);
    w.u16(h.yMin);
    w.u16(h.xMax);
    w.u16(h.yMax);
    w.u16(h.hRes);
    w.u16(h.vRes);
    w.bytes(h.colourMap.data(), h.colourMap.size());
    w.u8(0);
    w.u8(h.planes);
    w.u16(h.bytesPerLine);
    w.u16(h.paletteInfo);
    w.zeros(kHeaderSize - out.size());
    return out;
}

// Run-length data of the whole picture, handed out one line (all planes of a row) at a time.
// A run may go on from one line into the next, as older writers let it.
class RunLengthLines {
public:
    RunLengthLines(PxFile* file, std::uint64_t totalBytes) : m_in(file), m_left(totalBytes) {}

    // Fills line; false with the reason when the data end early or a run passes the picture.
    bool Next(std::vector<BYTE>& line, const char*& error) {
        std::size_t at = 0;
        while (at < line.size()) {
            if (m_runLeft == 0) {
                const int code = m_in.Next();
                if (code < 0) {
                    error = "corrupted PCX";
                    return false;
                }
                if ((code & kRunFlag) == kRunFlag) {
                    const int value = m_in.Next();
                    if (value < 0) {
                        error = "corrupted PCX";
                        return false;
                    }
                    m_runLeft = static_cast<DWORD>(code & 0x3F);
                    m_runValue = static_cast<BYTE>(value);
                } else {
                    m_runLeft = 1;
                    m_runValue = static_cast<BYTE>(code);
                }
                if (m_runLeft > m_left) {
                    error = "repeat count spans end of image";
                    return false;
                }
                m_left -= m_runLeft;
            }
            const std::size_t part = std::min<std::size_t>(m_runLeft, line.size() - at);
            std::fill_n(line.begin() + static_cast<long>(at), part, m_runValue);
            at += part;
            m_runLeft -= static_cast<DWORD>(part);
        }
        return true;
    }

private:
    PxByteSource m_in;
    std::uint64_t m_left; // bytes of the picture not yet started by a code
    DWORD m_runLeft = 0;
    BYTE m_runValue = 0;
};

// The pixel packer of the byte-per-value layouts. Its run never spans two lines: each line
// ends with EndLine, which writes what is pending and starts afresh.
class PixelPacker {
public:
    explicit PixelPacker(std::vector<BYTE>& out) : m_out(out) {}

    void Put(BYTE value) {
        if (m_count > 0 && (value != m_last || m_count == kMaxRun))
            WriteRun();
        m_last = value;
        ++m_count;
    }
    // pad adds the 0 byte that makes an odd-width line even.
    void EndLine(bool pad) {
        if (m_count > 0)
            WriteRun();
        if (pad)
            m_out.push_back(0);
    }

private:
    void WriteRun() {
        if (m_count == 1 && m_last < kRunFlag) {
            m_out.push_back(m_last);
        } else {
            m_out.push_back(static_cast<BYTE>(kRunFlag | m_count));
            m_out.push_back(m_last);
        }
        m_count = 0;
    }

    std::vector<BYTE>& m_out;
    BYTE m_last = 0;
    int m_count = 0;
};

// One plane line of bytes, in runs of up to 63.
void PackPlane(const BYTE* bytes, std::size_t length, std::vector<BYTE>& out) {
    PixelPacker packer(out);
    for (std::size_t i = 0; i < length; ++i)
        packer.Put(bytes[i]);
    packer.EndLine(false);
}

} // namespace

bool PxImagePCX::Decode(PxFile* file) {
    if (!file)
        return false;
    std::array<BYTE, kHeaderSize> raw{};
    if (!PxReadExact(file, raw.data(), raw.size())) {
        SetLastErrorText("Can't read PCX image");
        return false;
    }
    const PcxHeader h = ParseHeader(raw);
    if (h.manufacturer != kManufacturer) {
        SetLastErrorText("Error: Not a PCX file");
        return false;
    }
    if (h.encoding != kRunLength) {
        SetLastErrorText("PCX file has unknown encoding scheme");
        return false;
    }
    const LONG width = static_cast<LONG>(h.xMax) - h.xMin + 1;
    const LONG height = static_cast<LONG>(h.yMax) - h.yMin + 1;
    if (h.planes > 4) {
        SetLastErrorText("Can't handle image with more than 4 planes");
        return false;
    }
    const bool rgbPlanes = h.planes >= 3 && h.bitsPerPixel == 8;
    const bool bitPlanes = h.planes >= 2 && h.bitsPerPixel == 1;
    const bool packed = h.planes == 1 && (h.bitsPerPixel == 1 || h.bitsPerPixel == 2 ||
                                          h.bitsPerPixel == 4 || h.bitsPerPixel == 8);
    if (!rgbPlanes && !bitPlanes && !packed) {
        SetLastErrorText(h.planes > 1 ? "Can't handle more than 1 bit per pixel"
                                      : "PCX file has unknown bit depth");
        return false;
    }
    // Each plane line must hold the row's pixels, or the row would be read past its end.
    const std::uint64_t neededBytes =
        (static_cast<std::uint64_t>(std::max<LONG>(width, 0)) * h.bitsPerPixel + 7) / 8;
    if (h.bytesPerLine < neededBytes) {
        SetLastErrorText("PCX bytes per line too short for the width");
        return false;
    }
    // A code of two bytes gives at most 63 bytes of picture.
    const std::uint64_t pictureBytes = static_cast<std::uint64_t>(h.planes) * h.bytesPerLine *
                                       static_cast<std::uint64_t>(std::max<LONG>(height, 0));
    const LONG left = PxBytesLeft(file);
    if (left >= 0 && (pictureBytes + kMaxRun - 1) / kMaxRun * 2 > static_cast<DWORD>(left)) {
        SetLastErrorText("corrupted PCX");
        return false;
    }
    const DWORD bpp = rgbPlanes ? 24 : bitPlanes ? 4 : h.bitsPerPixel;
    if (!Create(width, height, bpp, PXIMAGE_FORMAT_PCX))
        return false;
    SetXDPI(h.hRes);
    SetYDPI(h.vRes);
    if (h.planes == 4 && rgbPlanes && !AlphaCreate()) {
        Destroy();
        SetLastErrorText("PxImage::Create can't allocate memory");
        return false;
    }
    if (CheckCancel()) {
        Destroy();
        SetLastErrorText("Cancelled");
        return false;
    }

    const std::size_t lineBytes = static_cast<std::size_t>(h.planes) * h.bytesPerLine;
    std::vector<BYTE> line(lineBytes);
    RunLengthLines lines(file, static_cast<std::uint64_t>(lineBytes) * static_cast<DWORD>(height));
    const char* error = nullptr;
    for (LONG y = 0; y < height; ++y) {
        if (CheckCancel()) {
            error = "Cancelled";
            break;
        }
        if (!lines.Next(line, error))
            break;
        const LONG row = height - 1 - y;
        BYTE* bits = GetBits(static_cast<DWORD>(row));
        const BYTE* plane0 = line.data();
        if (rgbPlanes) {
            const BYTE* plane1 = plane0 + h.bytesPerLine;
            const BYTE* plane2 = plane1 + h.bytesPerLine;
            for (LONG x = 0; x < width; ++x) {
                bits[3 * x] = plane2[x];
                bits[3 * x + 1] = plane1[x];
                bits[3 * x + 2] = plane0[x];
            }
            if (h.planes == 4) {
                const BYTE* plane3 = plane2 + h.bytesPerLine;
                std::copy_n(plane3, width, AlphaGetPointer(0, row));
            }
        } else if (packed && h.bitsPerPixel == 8) {
            std::copy_n(plane0, width, bits);
        } else if (packed) {
            const int bits1 = h.bitsPerPixel;
            const int perByte = 8 / bits1;
            const int mask = (1 << bits1) - 1;
            for (LONG x = 0; x < width; ++x) {
                const int shift = 8 - bits1 * (x % perByte + 1);
                SetPixelIndex(x, row, static_cast<BYTE>((plane0[x / perByte] >> shift) & mask));
            }
        } else {
            for (LONG x = 0; x < width; ++x) {
                BYTE index = 0;
                for (int p = 0; p < h.planes; ++p) {
                    const BYTE byte = plane0[static_cast<std::size_t>(p) * h.bytesPerLine + x / 8];
                    index |= static_cast<BYTE>(((byte >> (7 - x % 8)) & 1) << p);
                }
                SetPixelIndex(x, row, index);
            }
        }
    }
    if (error) {
        Destroy();
        SetLastErrorText(error);
        return false;
    }

    if (!HasPalette())
        return true;
    std::array<BYTE, 256 * 3> colours{};
    std::copy(h.colourMap.begin(), h.colourMap.end(), colours.begin());
    if (h.bitsPerPixel == 8) {
        // The palette is the last 769 bytes of the file, whatever padding the data left.
        std::array<BYTE, kTrailingPaletteSize> trailer{};
        if (!file->Seek(-kTrailingPaletteSize, 2) ||
            !PxReadExact(file, trailer.data(), trailer.size()) || trailer[0] != kPaletteSignature) {
            Destroy();
            SetLastErrorText("bad color map signature");
            return false;
        }
        std::copy(trailer.begin() + 1, trailer.end(), colours.begin());
    } else if (h.bitsPerPixel == 1 && h.planes == 1) {
        colours.fill(0);
        colours[3] = colours[4] = colours[5] = 255;
    }
    SetPalette(colours.data(), GetPaletteCount());
    return true;
}

bool PxImagePCX::Encode(PxFile* file) {
    if (CheckEncodeTarget(file))
        return false;
    const LONG width = static_cast<LONG>(GetWidth());
    const LONG height = static_cast<LONG>(GetHeight());
    if (width > 65536 || height > 65536) {
        SetLastErrorText("Can't save this image as PCX");
        return false;
    }
    const WORD bpp = GetBpp();
    PcxHeader h;
    h.manufacturer = kManufacturer;
    h.version = kVersion5;
    h.encoding = kRunLength;
    h.xMax = static_cast<std::uint16_t>(width - 1);
    h.yMax = static_cast<std::uint16_t>(height - 1);
    h.hRes = static_cast<std::uint16_t>(GetXDPI());
    h.vRes = static_cast<std::uint16_t>(GetYDPI());
    DWORD bytesPerLine = 0;
    if (bpp == 8 || bpp == 24) {
        h.bitsPerPixel = 8;
        h.planes = HasPalette() ? 1 : AlphaIsValid() ? 4 : 3;
        bytesPerLine = static_cast<DWORD>(width);
    } else {
        h.bitsPerPixel = 1;
        h.planes = GetPaletteCount() == 16 ? 4 : 1;
        bytesPerLine = static_cast<DWORD>(width + 7) / 8;
        if (h.planes == 1) {
            h.colourMap[3] = h.colourMap[4] = h.colourMap[5] = 255;
        } else {
            for (BYTE i = 0; i < 16; ++i) {
                const PxRgbQuad c = GetPaletteColor(i);
                h.colourMap[3 * i] = c.rgbRed;
                h.colourMap[3 * i + 1] = c.rgbGreen;
                h.colourMap[3 * i + 2] = c.rgbBlue;
            }
        }
    }
    bytesPerLine += bytesPerLine & 1;
    if (bytesPerLine > 0xFFFF) {
        SetLastErrorText("Can't save this image as PCX");
        return false;
    }
    h.bytesPerLine = static_cast<std::uint16_t>(bytesPerLine);
    const std::vector<BYTE> header = SerializeHeader(h);
    if (!PxWriteExact(file, header.data(), header.size())) {
        SetLastErrorText("cannot write PCX header");
        return false;
    }

    std::vector<BYTE> data;
    const bool padLine = (width & 1) != 0;
    if (bpp == 8) {
        PixelPacker packer(data);
        for (LONG y = height - 1; y >= 0; --y) {
            const BYTE* row = GetBits(static_cast<DWORD>(y));
            for (LONG x = 0; x < width; ++x)
                packer.Put(row[x]);
            packer.EndLine(padLine);
        }
        data.push_back(kPaletteSignature);
        for (DWORD i = 0; i < 256; ++i) {
            const PxRgbQuad c = GetPaletteColor(static_cast<BYTE>(i));
            data.insert(data.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
        }
    } else if (bpp == 24) {
        PixelPacker packer(data);
        for (LONG y = height - 1; y >= 0; --y) {
            const BYTE* row = GetBits(static_cast<DWORD>(y));
            for (int channel = 2; channel >= 0; --channel) {
                for (LONG x = 0; x < width; ++x)
                    packer.Put(row[3 * x + channel]);
                packer.EndLine(padLine);
            }
            if (h.planes == 4) {
                const BYTE* alpha = AlphaGetPointer(0, y);
                for (LONG x = 0; x < width; ++x)
                    packer.Put(alpha[x]);
                packer.EndLine(padLine);
            }
        }
    } else {
        // Two colours are stored as black and white, so a palette whose first entry is the
        // brighter one is written with its indices inverted.
        const PxRgbQuad* palette = GetPalette();
        const BYTE invert =
            h.planes == 1 && CompareColorLuma(&palette[0].rgbBlue, &palette[1].rgbBlue) > 0 ? 1 : 0;
        std::vector<BYTE> plane(bytesPerLine);
        for (LONG y = height - 1; y >= 0; --y) {
            for (int p = 0; p < h.planes; ++p) {
                std::fill(plane.begin(), plane.end(), 0);
                for (LONG x = 0; x < width; ++x) {
                    const BYTE index = GetPixelIndexUnchecked(x, y) ^ invert;
                    if ((index >> p) & 1)
                        plane[static_cast<std::size_t>(x) / 8] |=
                            static_cast<BYTE>(0x80 >> (x % 8));
                }
                PackPlane(plane.data(), plane.size(), data);
            }
        }
    }
    if (!PxWriteExact(file, data.data(), data.size())) {
        SetLastErrorText("Write Error in PCX file");
        return false;
    }
    return true;
}
