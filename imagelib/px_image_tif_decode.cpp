// TIFF decoding: one directory (page), through libtiff's RGBA reader for colour, YCbCr, CMYK
// and LogLuv pictures, and strip by strip or tile by tile for bilevel, grey, palette and CIELab
// pictures.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "imagelib/px_codec_io.h"
#include "imagelib/px_image_tif.h"
#include "imagelib/px_tiff_stream.h"

namespace {

constexpr std::uint64_t kMaxBufferBytes = kPxMaxImageBytes;

// libtiff's RGBA reader takes these photometric kinds (and RGB of 8 bits and more).
bool ReadAsRgba(WORD photometric, WORD bitsPerSample) {
    return (bitsPerSample >= 8 && photometric == PHOTOMETRIC_RGB) ||
           photometric == PHOTOMETRIC_SEPARATED || photometric == PHOTOMETRIC_YCBCR ||
           photometric == PHOTOMETRIC_LOGL || photometric == PHOTOMETRIC_LOGLUV;
}

// Layouts the strip reader copies exactly; everything else goes through the RGBA reader.
bool ReadDirectly(WORD photometric, WORD bitsPerSample, WORD samples, WORD planar) {
    const bool bits1_4_8 = bitsPerSample == 1 || bitsPerSample == 4 || bitsPerSample == 8;
    if (samples > 1 && planar == PLANARCONFIG_SEPARATE)
        return false;
    switch (photometric) {
    case PHOTOMETRIC_RGB:
        return false;
    case PHOTOMETRIC_CIELAB:
        return samples >= 3 && (bitsPerSample == 8 || bitsPerSample == 16);
    case PHOTOMETRIC_MINISWHITE:
    case PHOTOMETRIC_MINISBLACK:
        return (samples == 1 && (bits1_4_8 || bitsPerSample == 16)) ||
               (samples == 2 && (bitsPerSample == 8 || bitsPerSample == 16));
    default:
        return samples == 1 && bits1_4_8;
    }
}

BYTE ToByte(double value) {
    const double scaled = value * 255.0;
    if (!(scaled > 0))
        return 0;
    return scaled >= 255 ? 255 : static_cast<BYTE>(scaled);
}

double Companded(double c) {
    return c > 0.00304 ? 1.055 * std::pow(c, 0.41667) - 0.055 : 12.92 * c;
}

// CIELab (a and b signed) through XYZ (D65 white) to sRGB.
void LabToBgr(const BYTE* lab, BYTE* bgr) {
    const double l = lab[0] * 100.0 / 255.0;
    const double a = static_cast<signed char>(lab[1]);
    const double b = static_cast<signed char>(lab[2]);
    const double fy = (l + 16.0) / 116.0;
    const double y = fy * fy * fy;
    const double fx = fy + 0.002 * a;
    const double fz = fy - 0.005 * b;
    const double x = 0.95047 * fx * fx * fx;
    const double z = 1.0883 * fz * fz * fz;
    const double r = 3.240479 * x - 1.53715 * y - 0.498535 * z;
    const double g = -0.969256 * x + 1.875992 * y + 0.041556 * z;
    const double bl = 0.055648 * x - 0.204043 * y + 1.057311 * z;
    bgr[0] = ToByte(Companded(bl));
    bgr[1] = ToByte(Companded(g));
    bgr[2] = ToByte(Companded(r));
}

template <class T> bool Allocate(std::vector<T>& buffer, std::uint64_t count) {
    if (count * sizeof(T) > kMaxBufferBytes)
        return false;
    try {
        buffer.assign(static_cast<std::size_t>(count), T{});
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

} // namespace

PxImageTIF::PxImageTIF() : PxImage(PXIMAGE_FORMAT_TIF) {}

PxImageTIF::~PxImageTIF() = default;

bool PxImageTIF::Decode(PxFile* file) {
    const auto fail = [this](const char* text) {
        Destroy();
        SetLastErrorText(text);
        return false;
    };
    if (!file)
        return fail("null file handler");
    PxTiffStream stream;
    TIFF* tif = stream.Open(file, "r");
    if (!tif)
        return fail("Error encountered while opening TIFF file");
    SetNumFrames(static_cast<LONG>(TIFFNumberOfDirectories(tif)));
    const LONG page = GetFrameIndex();
    if (page < 0 || !TIFFSetDirectory(tif, static_cast<tdir_t>(page)))
        return fail("Error: page not present in TIFF file");

    uint32_t width = 0, height = 0, rowsPerStrip = 0xFFFFFFFFu;
    uint16_t samples = 1, bitsPerSample = 1, photometric = 0, orientation = ORIENTATION_TOPLEFT;
    uint16_t planar = PLANARCONFIG_CONTIG, compression = COMPRESSION_NONE;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetField(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetField(tif, TIFFTAG_BITSPERSAMPLE, &bitsPerSample);
    TIFFGetField(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetField(tif, TIFFTAG_ORIENTATION, &orientation);
    TIFFGetField(tif, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetField(tif, TIFFTAG_COMPRESSION, &compression);
    if (width > 0x7FFFFFFFu || height > 0x7FFFFFFFu)
        return fail("PxImageTIF can't create image");

    if (m_info.cancel == kPxCancelSizeOnly) {
        m_head.biWidth = static_cast<LONG>(width);
        m_head.biHeight = static_cast<LONG>(height);
        SetLastErrorText("output dimensions returned");
        return true;
    }

    uint16_t unit = RESUNIT_INCH;
    TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
    float resolution = 0;
    const auto dpiOf = [unit](float value) {
        const double dpi = unit == RESUNIT_CENTIMETER ? value * 2.54 + 0.5 : value;
        return dpi > 0 && dpi < 0x7FFFFFFF ? static_cast<LONG>(dpi) : 0;
    };
    if (TIFFGetField(tif, TIFFTAG_XRESOLUTION, &resolution))
        SetXDPI(dpiOf(resolution));
    if (TIFFGetField(tif, TIFFTAG_YRESOLUTION, &resolution))
        SetYDPI(dpiOf(resolution));
    float position = 0;
    LONG xOffset = 0, yOffset = 0;
    const auto offsetOf = [](float value) {
        return std::fabs(static_cast<double>(value)) < 2147483647.0 ? static_cast<LONG>(value) : 0;
    };
    if (TIFFGetField(tif, TIFFTAG_XPOSITION, &position))
        xOffset = offsetOf(position);
    if (TIFFGetField(tif, TIFFTAG_YPOSITION, &position))
        yOffset = offsetOf(position);
    SetFrameOffset(xOffset, yOffset);
    SetTransIndex(-1);
    if (rowsPerStrip > height || rowsPerStrip == 0)
        rowsPerStrip = height;

    // Tiles are multiples of 16 pixels both ways; tiny ones only serve to make a file that
    // takes ages to read.
    if (TIFFIsTiled(tif)) {
        uint32_t tileWidth = 0, tileLength = 0;
        TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(tif, TIFFTAG_TILELENGTH, &tileLength);
        if (tileWidth == 0 || tileLength == 0 || tileWidth % 16 || tileLength % 16)
            return fail("Corrupted tiled TIFF file!");
    }
    const bool rgba = ReadAsRgba(photometric, bitsPerSample) ||
                      !ReadDirectly(photometric, bitsPerSample, samples, planar);
    if (CheckCancel())
        return fail("Cancelled");
    const bool decoded = rgba ? DecodeRgba(stream, width, height, samples)
                              : DecodeDirect(stream, width, height, samples, bitsPerSample,
                                             photometric, rowsPerStrip);
    if (!decoded) {
        Destroy();
        return false;
    }
    SetCodecOption(compression, PXIMAGE_FORMAT_TIF);
    // libtiff's RGBA reader turns only the four flipped orientations the right way up; the
    // transposed ones leave it still flipped as for their counterparts.
    if (rgba && orientation >= ORIENTATION_LEFTTOP && orientation <= ORIENTATION_LEFTBOT) {
        static constexpr int kFlipOf[4] = {ORIENTATION_TOPLEFT, ORIENTATION_TOPRIGHT,
                                           ORIENTATION_BOTRIGHT, ORIENTATION_BOTLEFT};
        ApplyOrientation(kFlipOf[orientation - ORIENTATION_LEFTTOP]);
        ApplyOrientation(orientation);
    } else if (!rgba) {
        ApplyOrientation(orientation);
    }
    return true;
}

// Turns a picture stored in the file's row and column order the right way up.
void PxImageTIF::ApplyOrientation(int orientation) {
    switch (orientation) {
    case ORIENTATION_TOPRIGHT:
        Mirror();
        break;
    case ORIENTATION_BOTRIGHT:
        Flip();
        Mirror();
        break;
    case ORIENTATION_BOTLEFT:
        Flip();
        break;
    case ORIENTATION_LEFTTOP: // transposed
        RotateRight();
        Mirror();
        break;
    case ORIENTATION_RIGHTTOP: // a quarter turn clockwise
        RotateRight();
        break;
    case ORIENTATION_RIGHTBOT: // transposed the other way
        RotateLeft();
        Mirror();
        break;
    case ORIENTATION_LEFTBOT: // a quarter turn anticlockwise
        RotateLeft();
        break;
    default:
        break;
    }
}

bool PxImageTIF::DecodeRgba(PxTiffStream& stream, DWORD width, DWORD height, WORD samples) {
    if (!Create(static_cast<LONG>(width), static_cast<LONG>(height), 24, PXIMAGE_FORMAT_TIF)) {
        SetLastErrorText("PxImageTIF can't create image");
        return false;
    }
    const bool alpha = samples == 4 || samples == 2;
    if (alpha && !AlphaCreate()) {
        SetLastErrorText("PxImageTIF can't create image");
        return false;
    }
    std::vector<uint32_t> raster;
    if (!Allocate(raster, static_cast<std::uint64_t>(width) * height)) {
        SetLastErrorText("No space for raster buffer");
        return false;
    }
    if (!TIFFReadRGBAImage(stream.Handle(), width, height, raster.data(), 1)) {
        SetLastErrorText("Corrupted TIFF file!");
        return false;
    }
    for (DWORD y = 0; y < height; ++y) {
        if (CheckCancel()) {
            SetLastErrorText("Cancelled");
            return false;
        }
        const uint32_t* from = raster.data() + static_cast<std::size_t>(y) * width;
        BYTE* row = GetBits(y);
        BYTE* plane = alpha ? AlphaGetPointer(0, static_cast<LONG>(y)) : nullptr;
        for (DWORD x = 0; x < width; ++x) {
            const uint32_t value = from[x];
            row[3 * x] = static_cast<BYTE>(TIFFGetB(value));
            row[3 * x + 1] = static_cast<BYTE>(TIFFGetG(value));
            row[3 * x + 2] = static_cast<BYTE>(TIFFGetR(value));
            if (plane)
                plane[x] = static_cast<BYTE>(TIFFGetA(value));
        }
    }
    return true;
}

void PxImageTIF::SetDirectPalette(PxTiffStream& stream, WORD photometric, WORD bitsPerSample) {
    const DWORD count = GetPaletteCount();
    std::vector<PxRgbQuad> palette(256, PxRgbQuad{0, 0, 0, 0});
    const auto grey = [](BYTE v) { return PxRgbQuad{v, v, v, 0}; };
    if ((photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE) &&
        bitsPerSample == 1) {
        palette[photometric == PHOTOMETRIC_MINISBLACK ? 1 : 0] = grey(255);
    } else if (photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE) {
        const DWORD step = 255 / (count - 1);
        for (DWORD i = 0; i < count; ++i) {
            const BYTE level = static_cast<BYTE>(i * step);
            palette[i] = grey(photometric == PHOTOMETRIC_MINISWHITE ? level ^ 255 : level);
        }
    } else if (photometric == PHOTOMETRIC_PALETTE) {
        uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
        if (TIFFGetField(stream.Handle(), TIFFTAG_COLORMAP, &red, &green, &blue) && red && green &&
            blue) {
            const DWORD entries = std::min<DWORD>(256, 1u << std::min<WORD>(bitsPerSample, 8));
            // Maps are 16 bits a component, though some writers store 8-bit values.
            bool wide = false;
            for (DWORD i = 0; i < entries; ++i)
                wide = wide || red[i] > 255 || green[i] > 255 || blue[i] > 255;
            const auto scale = [wide](uint16_t v) {
                return wide ? static_cast<BYTE>(v * 255u / 65535u) : static_cast<BYTE>(v & 0xFF);
            };
            for (DWORD i = 0; i < entries; ++i)
                palette[i] = PxRgbQuad{scale(blue[i]), scale(green[i]), scale(red[i]), 0};
        }
    }
    SetPalette(palette.data(), count);
}

bool PxImageTIF::DecodeDirect(PxTiffStream& stream, DWORD width, DWORD height, WORD samples,
                              WORD bitsPerSample, WORD photometric, DWORD rowsPerStrip) {
    TIFF* tif = stream.Handle();
    const bool lab = samples >= 3;
    const DWORD bpp = lab ? 24 : bitsPerSample == 1 ? 1 : bitsPerSample == 4 ? 4 : 8;
    if (!Create(static_cast<LONG>(width), static_cast<LONG>(height), bpp, PXIMAGE_FORMAT_TIF)) {
        SetLastErrorText("PxImageTIF can't create image");
        return false;
    }
    if ((samples == 2 || samples == 4) && !AlphaCreate()) {
        SetLastErrorText("PxImageTIF can't create image");
        return false;
    }
    if (HasPalette())
        SetDirectPalette(stream, photometric, bitsPerSample);

    const std::uint64_t lineSize =
        (static_cast<std::uint64_t>(samples) * bitsPerSample * width + 7) / 8;
    std::vector<BYTE> tile, strip;
    uint32_t tileWidth = 0, tileLength = 0;
    const bool tiled = TIFFIsTiled(tif) != 0;
    if (tiled) {
        TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(tif, TIFFTAG_TILELENGTH, &tileLength);
        const tmsize_t tileSize = TIFFTileSize(tif);
        if (tileWidth == 0 || tileLength == 0 || tileSize <= 0) {
            SetLastErrorText("Corrupted tiled TIFF file!");
            return false;
        }
        rowsPerStrip = tileLength;
        if (!Allocate(tile, static_cast<std::uint64_t>(tileSize))) {
            SetLastErrorText("PxImageTIF can't allocate memory");
            return false;
        }
    }
    // The strip buffer holds exactly the rows of one strip (or one row of tiles).
    if (!Allocate(strip, lineSize * rowsPerStrip)) {
        SetLastErrorText("PxImageTIF can't allocate memory");
        return false;
    }
    const std::uint64_t tileRowSize = tiled ? static_cast<std::uint64_t>(TIFFTileRowSize(tif)) : 0;

    for (DWORD row = 0; row < height; row += rowsPerStrip) {
        if (CheckCancel()) {
            SetLastErrorText("Cancelled");
            return false;
        }
        const DWORD rows = std::min(rowsPerStrip, height - row);
        if (tiled) {
            for (DWORD column = 0; column < width; column += tileWidth) {
                if (TIFFReadTile(tif, tile.data(), column, row, 0, 0) < 0) {
                    SetLastErrorText("Corrupted tiled TIFF file!");
                    return false;
                }
                // The last tile of a row reaches past the picture: only its part is copied.
                const std::uint64_t offset =
                    static_cast<std::uint64_t>(column) * samples * bitsPerSample / 8;
                const std::uint64_t bytes = std::min(tileRowSize, lineSize - offset);
                for (DWORD r = 0; r < rows; ++r)
                    std::memcpy(strip.data() + r * lineSize + offset, tile.data() + r * tileRowSize,
                                static_cast<std::size_t>(bytes));
            }
        } else if (TIFFReadEncodedStrip(tif, TIFFComputeStrip(tif, row, 0), strip.data(),
                                        static_cast<tmsize_t>(rows * lineSize)) == -1) {
            SetLastErrorText("Corrupted TIFF file!");
            return false;
        }

        for (DWORD r = 0; r < rows; ++r) {
            BYTE* line = strip.data() + r * lineSize;
            std::uint64_t lineBytes = lineSize;
            if (bitsPerSample == 16) {
                // One byte a sample: the high byte of each native-order sample.
                const std::uint64_t values = lineSize / 2;
                for (std::uint64_t i = 0; i < values; ++i) {
                    uint16_t sample;
                    std::memcpy(&sample, line + 2 * i, 2);
                    line[i] = static_cast<BYTE>(sample >> 8);
                }
                lineBytes = values;
            }
            const DWORD target = height - 1 - (row + r);
            BYTE* bits = GetBits(target);
            BYTE* alpha = AlphaGetPointer(0, static_cast<LONG>(target));
            if (samples == 1) {
                std::memcpy(
                    bits, line,
                    static_cast<std::size_t>(std::min<std::uint64_t>(lineBytes, GetRowStride())));
            } else if (samples == 2) {
                for (DWORD x = 0; x < width; ++x) {
                    bits[x] = line[2 * x];
                    alpha[x] = line[2 * x + 1];
                }
            } else {
                for (DWORD x = 0; x < width; ++x) {
                    const BYTE* pixel = line + static_cast<std::size_t>(x) * samples;
                    LabToBgr(pixel, bits + 3 * x);
                    if (alpha)
                        alpha[x] = pixel[3];
                }
            }
        }
    }
    return true;
}
