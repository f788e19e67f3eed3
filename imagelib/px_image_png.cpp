#include "imagelib/px_image_png.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include <png.h>

namespace {

void PngReadProc(png_structp png, png_bytep data, png_size_t length) {
    auto* file = static_cast<PxFile*>(png_get_io_ptr(png));
    if (file->Read(data, 1, length) != length)
        png_error(png, "Read Error");
}

void PngWriteProc(png_structp png, png_bytep data, png_size_t length) {
    auto* file = static_cast<PxFile*>(png_get_io_ptr(png));
    if (file->Write(data, 1, length) != length)
        png_error(png, "Write Error");
}

void PngFlushProc(png_structp png) {
    auto* file = static_cast<PxFile*>(png_get_io_ptr(png));
    if (!file->Flush())
        png_error(png, "Flush Error");
}

[[noreturn]] void PngErrorProc(png_structp png, png_const_charp message) {
    auto* text = static_cast<char*>(png_get_error_ptr(png));
    std::strncpy(text, message ? message : "", 255);
    text[255] = '\0';
    png_longjmp(png, 1);
}

LONG ClampToLong(double value) {
    if (!(value > 0))
        return 0;
    return static_cast<LONG>(
        std::min(value, static_cast<double>(std::numeric_limits<LONG>::max())));
}

} // namespace

struct PxImagePNG::ReadSession {
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    std::vector<BYTE> row;

    ReadSession() = default;
    ReadSession(const ReadSession&) = delete;
    ReadSession& operator=(const ReadSession&) = delete;
    ~ReadSession() {
        if (png)
            png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
};

struct PxImagePNG::WriteSession {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::array<png_color, 256> palette{};
    std::array<png_byte, 256> trans{};
    std::vector<BYTE> row;

    WriteSession() = default;
    WriteSession(const WriteSession&) = delete;
    WriteSession& operator=(const WriteSession&) = delete;
    ~WriteSession() {
        if (png)
            png_destroy_write_struct(&png, info ? &info : nullptr);
    }
};

bool PxImagePNG::Decode(PxFile* file) {
    if (!file) {
        SetLastErrorText("null file handler");
        return false;
    }
    ReadSession session;
    session.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!session.png) {
        SetLastErrorText("Failed to create PNG structure");
        return false;
    }
    session.info = png_create_info_struct(session.png);
    if (!session.info) {
        SetLastErrorText("Failed to initialize PNG info structure");
        return false;
    }
    png_set_read_fn(session.png, file, PngReadProc);
    png_set_error_fn(session.png, m_info.lastError, PngErrorProc, nullptr);
    if (setjmp(png_jmpbuf(session.png))) {
        Destroy();
        return false;
    }
    if (!ReadPicture(session)) {
        Destroy();
        return false;
    }
    return true;
}

void PxImagePNG::ApplyResolution(ReadSession& session) {
    png_uint_32 xRes = 0, yRes = 0;
    int unit = 0;
    if (!png_get_pHYs(session.png, session.info, &xRes, &yRes, &unit))
        return;
    if (unit == PNG_RESOLUTION_METER) {
        SetXDPI(ClampToLong(std::floor(xRes * 0.0254 + 0.5)));
        SetYDPI(ClampToLong(std::floor(yRes * 0.0254 + 0.5)));
    } else {
        SetXDPI(ClampToLong(xRes));
        SetYDPI(ClampToLong(yRes));
    }
}

void PxImagePNG::ReadPalette(ReadSession& session) {
    png_colorp entries = nullptr;
    int count = 0;
    if (png_get_PLTE(session.png, session.info, &entries, &count) && entries && count > 0) {
        std::array<BYTE, 256> reds{}, greens{}, blues{};
        count = std::min(count, 256);
        for (int i = 0; i < count; ++i) {
            reds[i] = entries[i].red;
            greens[i] = entries[i].green;
            blues[i] = entries[i].blue;
        }
        SetPalette(static_cast<DWORD>(count), reds.data(), greens.data(), blues.data());
        return;
    }
    if (!HasPalette())
        return;
    if (session.bitDepth == 2) {
        for (BYTE i = 0; i < 4; ++i)
            SetPaletteColor(i, static_cast<BYTE>(85 * i), static_cast<BYTE>(85 * i),
                            static_cast<BYTE>(85 * i));
        return;
    }
    SetGreyPalette();
}

// Everything after the jump point: libpng may leave through the error procedure at any call,
// so no object with a destructor lives here.
bool PxImagePNG::ReadPicture(ReadSession& session) {
    png_structp png = session.png;
    png_infop info = session.info;
    png_read_info(png, info);
    int interlace = 0;
    png_get_IHDR(png, info, &session.width, &session.height, &session.bitDepth, &session.colorType,
                 &interlace, nullptr, nullptr);
    const int colorType = session.colorType;
    const int pixelDepth = session.bitDepth * png_get_channels(png, info);

    png_bytep trans = nullptr;
    int numTrans = 0;
    png_color_16p transColor = nullptr;
    const bool hasTrans = png_get_valid(png, info, PNG_INFO_tRNS) &&
                          png_get_tRNS(png, info, &trans, &numTrans, &transColor);
    // A grey picture up to 8 bits keys its transparent grey level as the transparent palette
    // index instead of having libpng paint it over.
    const bool greyKey =
        hasTrans && colorType == PNG_COLOR_TYPE_GRAY && session.bitDepth <= 8 && transColor;

    png_color_16p fileBackground = nullptr;
    const bool hasBackground = png_get_bKGD(png, info, &fileBackground) && fileBackground;
    if (pixelDepth != 32) {
        if (hasBackground) {
            png_set_background(png, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
        } else if (!greyKey) {
            png_color_16 grey{0, 192, 192, 192, 192};
            png_set_background(png, &grey, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
        }
    } else if (hasBackground) {
        SetTransColor(PxRgbQuad{static_cast<BYTE>(fileBackground->blue),
                                static_cast<BYTE>(fileBackground->green),
                                static_cast<BYTE>(fileBackground->red), 0});
    }
    if (session.bitDepth == 16)
        png_set_strip_16(png);

    const DWORD bpp = pixelDepth == 16 ? 8 : pixelDepth < 16 ? static_cast<DWORD>(pixelDepth) : 24;
    if (!Create(static_cast<LONG>(session.width), static_cast<LONG>(session.height), bpp,
                PXIMAGE_FORMAT_PNG))
        return false;

    ApplyResolution(session);
    ReadPalette(session);

    if (HasPalette() && hasTrans) {
        if (greyKey) {
            if (transColor->gray < GetPaletteCount())
                SetTransIndex(transColor->gray);
        } else if (colorType == PNG_COLOR_TYPE_PALETTE && trans && numTrans > 0) {
            PxRgbQuad* palette = GetPalette();
            const DWORD count = GetPaletteCount();
            const DWORD given = std::min(count, static_cast<DWORD>(numTrans));
            for (DWORD i = 0; i < given; ++i)
                palette[i].rgbReserved = trans[i];
            if (numTrans == 1 && trans[0] == 0) {
                SetTransIndex(0);
            } else {
                SetPaletteAlpha(true);
                for (DWORD i = given; i < count; ++i)
                    palette[i].rgbReserved = 255;
            }
        }
    }
    // A bKGD chunk can also flatten a grey key away, so the key only counts when libpng
    // leaves the pixels alone.
    if (greyKey && hasBackground)
        SetTransIndex(-1);

    const bool alpha = colorType == PNG_COLOR_TYPE_RGB_ALPHA ||
                       (colorType == PNG_COLOR_TYPE_GRAY_ALPHA && pixelDepth == 32);
    if (alpha) {
        if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
            png_set_gray_to_rgb(png);
            png_set_expand(png);
        }
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
        if (!AlphaCreate()) {
            SetLastErrorText("PxImage::Create can't allocate memory");
            return false;
        }
    }
    if (colorType & PNG_COLOR_MASK_COLOR)
        png_set_bgr(png);

    if (m_info.cancel)
        return false;

    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    SetCodecOption(passes > 1 ? 1 : 0, PXIMAGE_FORMAT_PNG);
    const std::size_t rowBytes = std::max<std::size_t>(
        {png_get_rowbytes(png, info), GetRowStride(), alpha ? 4u * session.width : 0u});
    session.row.assign(rowBytes + 10, 0);
    if (!ReadRows(session, passes, alpha))
        return false;
    png_read_end(png, nullptr);
    return true;
}

bool PxImagePNG::ReadRows(ReadSession& session, int passes, bool alpha) {
    const DWORD width = GetWidth();
    const DWORD height = GetHeight();
    const DWORD stride = GetRowStride();
    BYTE* buffer = session.row.data();
    for (int pass = 0; pass < passes; ++pass) {
        for (DWORD y = 0; y < height; ++y) {
            if (m_info.cancel)
                return false;
            const DWORD stored = height - 1 - y;
            BYTE* dest = GetBits(stored);
            if (alpha) {
                BYTE* plane = AlphaGetPointer(0, static_cast<LONG>(stored));
                if (pass > 0) {
                    for (DWORD x = 0; x < width; ++x) {
                        std::memcpy(buffer + 4 * x, dest + 3 * x, 3);
                        buffer[4 * x + 3] = plane[x];
                    }
                }
                png_read_row(session.png, buffer, nullptr);
                for (DWORD x = 0; x < width; ++x) {
                    std::memcpy(dest + 3 * x, buffer + 4 * x, 3);
                    plane[x] = buffer[4 * x + 3];
                }
                continue;
            }
            if (pass > 0)
                std::memcpy(buffer, dest, stride);
            png_read_row(session.png, buffer, nullptr);
            if (session.bitDepth == 2 && pass == passes - 1) {
                // Two bits a pixel become a nibble each, from the last pixel back, so the
                // packed source is never overwritten before it is read.
                for (DWORD x = width; x-- > 0;) {
                    const BYTE value = static_cast<BYTE>((buffer[x >> 2] >> (6 - 2 * (x & 3))) & 3);
                    BYTE& target = buffer[x >> 1];
                    target = (x & 1) ? static_cast<BYTE>((target & 0xF0) | value)
                                     : static_cast<BYTE>((target & 0x0F) | (value << 4));
                }
            }
            std::memcpy(dest, buffer, stride);
        }
    }
    return true;
}

bool PxImagePNG::Encode(PxFile* file) {
    if (CheckEncodeTarget(file))
        return false;
    WriteSession session;
    session.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!session.png) {
        SetLastErrorText("Failed to create PNG structure");
        return false;
    }
    session.info = png_create_info_struct(session.png);
    if (!session.info) {
        SetLastErrorText("Failed to initialize PNG info structure");
        return false;
    }
    if (setjmp(png_jmpbuf(session.png))) {
        SetLastErrorText("Error saving PNG file");
        return false;
    }
    png_set_write_fn(session.png, file, PngWriteProc, PngFlushProc);
    return WritePicture(session);
}

// Sets up tRNS and PLTE of a palette picture; returns the number of palette entries written.
DWORD PxImagePNG::PreparePalette(WriteSession& session) {
    int numTrans = 0;
    const LONG transIndex = GetTransIndex();
    if (transIndex >= 0 && static_cast<DWORD>(transIndex) < GetPaletteCount()) {
        session.trans[0] = 0;
        numTrans = 1;
        if (transIndex != 0) {
            // The transparent entry moves to index 0. The pixels and palette are the caller's
            // (this is an encode temporary), so the caller's image changes with them.
            SwapIndex(0, static_cast<BYTE>(transIndex));
            SetTransIndex(0);
            if (PxImage* owner = m_info.shallowOwner) {
                owner->SetTransIndex(0);
                owner->SetPaletteColor(0, owner->GetPaletteColor(0)); // drops its colour cache
            }
        }
    }

    DWORD count = GetPaletteCount();
    const DWORD width = GetWidth();
    const DWORD height = GetHeight();
    if (count > 2 && static_cast<std::uint64_t>(width) * height < 65536) {
        DWORD highest = 0;
        for (DWORD y = 0; y < height; ++y)
            for (DWORD x = 0; x < width; ++x)
                highest = std::max<DWORD>(
                    highest, GetPixelIndexUnchecked(static_cast<LONG>(x), static_cast<LONG>(y)));
        count = highest + 1;
    }

    const PxRgbQuad* palette = GetPalette();
    if (GetPaletteAlpha()) {
        for (DWORD i = 0; i < count; ++i)
            session.trans[i] = palette[i].rgbReserved;
        numTrans = static_cast<int>(count);
    }
    if (numTrans > 0)
        png_set_tRNS(session.png, session.info, session.trans.data(), numTrans, nullptr);
    for (DWORD i = 0; i < count; ++i)
        session.palette[i] = png_color{palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue};
    png_set_PLTE(session.png, session.info, session.palette.data(), static_cast<int>(count));
    return count;
}

bool PxImagePNG::WritePicture(WriteSession& session) {
    png_structp png = session.png;
    png_infop info = session.info;
    const DWORD width = GetWidth();
    const DWORD height = GetHeight();
    const int interlace =
        GetCodecOption(PXIMAGE_FORMAT_PNG) == 1 ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE;
    const bool colourKey = GetBpp() == 24 && HasTransIndex();
    const bool rgba = AlphaIsValid() || colourKey;

    png_color_16 background{0, 255, 255, 255, 255};
    if (HasTransIndex()) {
        const PxRgbQuad key = GetTransColor();
        background = png_color_16{0, key.rgbRed, key.rgbGreen, key.rgbBlue, 0};
    }

    if (rgba) {
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, interlace, 0, 0);
    } else if (HasPalette()) {
        png_set_IHDR(png, info, width, height, GetBpp(), PNG_COLOR_TYPE_PALETTE, interlace, 0, 0);
        PreparePalette(session);
    } else {
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, interlace, 0, 0);
    }
    png_set_bKGD(png, info, &background);
    png_set_pHYs(png, info, static_cast<png_uint_32>(std::max<LONG>(0, m_head.biXPelsPerMeter)),
                 static_cast<png_uint_32>(std::max<LONG>(0, m_head.biYPelsPerMeter)),
                 PNG_RESOLUTION_METER);
    png_write_info(png, info);
    if (rgba || !HasPalette())
        png_set_bgr(png);

    const int passes = png_set_interlace_handling(png);
    if (rgba) {
        if (!WriteRgbaRows(session, passes))
            return false;
    } else {
        for (int pass = 0; pass < passes; ++pass)
            for (DWORD y = 0; y < height; ++y)
                png_write_row(png, GetBits(height - 1 - y));
    }
    png_write_end(png, info);
    return true;
}

// B,G,R and alpha rows; the colour key and the alpha maximum are applied as each row is built,
// so the caller's alpha plane is left as it was.
bool PxImagePNG::WriteRgbaRows(WriteSession& session, int passes) {
    const DWORD width = GetWidth();
    const DWORD height = GetHeight();
    const bool colourKey = GetBpp() == 24 && HasTransIndex();
    const PxRgbQuad key = GetTransColor();
    const unsigned alphaMax = GetAlphaMax();
    session.row.assign(4u * width + 10, 0);
    BYTE* buffer = session.row.data();
    for (int pass = 0; pass < passes; ++pass) {
        for (DWORD y = 0; y < height; ++y) {
            const DWORD stored = height - 1 - y;
            const BYTE* src = GetBits(stored);
            const BYTE* plane = AlphaGetPointer(0, static_cast<LONG>(stored));
            for (DWORD x = 0; x < width; ++x) {
                PxRgbQuad c;
                if (GetBpp() == 24)
                    c = PxRgbQuad{src[3 * x], src[3 * x + 1], src[3 * x + 2], 0};
                else
                    c = GetPaletteColor(
                        GetPixelIndexUnchecked(static_cast<LONG>(x), static_cast<LONG>(stored)));
                unsigned a = plane ? plane[x] : 255;
                if (colourKey && c.rgbBlue == key.rgbBlue && c.rgbGreen == key.rgbGreen &&
                    c.rgbRed == key.rgbRed)
                    a = 0;
                BYTE* out = buffer + 4 * x;
                out[0] = c.rgbBlue;
                out[1] = c.rgbGreen;
                out[2] = c.rgbRed;
                out[3] = static_cast<BYTE>(a * alphaMax / 255);
            }
            png_write_row(session.png, buffer);
        }
    }
    return true;
}
