// TIFF encoding: one page a call, several pages through one open file.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "imagelib/px_image_tif.h"
#include "imagelib/px_tiff_stream.h"

namespace {

constexpr int kJpegQualityTag = 65537; // libtiff's pseudo-tag for the JPEG quality

} // namespace

bool PxImageTIF::FailEncode(const char* text) {
    m_writer.reset();
    m_multiPage = false;
    m_pagesWritten = 0;
    SetLastErrorText(text);
    return false;
}

bool PxImageTIF::Encode(PxFile* file, bool append) {
    if (CheckEncodeTarget(file))
        return false;
    if (!m_writer) {
        m_writer = std::make_unique<PxTiffStream>();
        if (!m_writer->Open(file, "a"))
            return FailEncode("initialization fail");
    }
    if (append || m_pagesWritten > 0)
        m_multiPage = true;
    const int page = m_pagesWritten + 1;
    if (!WritePage(*m_writer, page, page))
        return FailEncode("Error saving TIFF file");
    m_pagesWritten = page;
    if (append) {
        if (!TIFFWriteDirectory(m_writer->Handle()))
            return FailEncode("Error saving TIFF directory");
        return true;
    }
    const bool closed = m_writer->Close();
    m_writer.reset();
    m_multiPage = false;
    m_pagesWritten = 0;
    if (!closed) {
        SetLastErrorText("Error saving TIFF file");
        return false;
    }
    return true;
}

bool PxImageTIF::WritePage(PxTiffStream& stream, int page, int pageCount) {
    TIFF* tif = stream.Handle();
    const DWORD width = GetWidth(), height = GetHeight();
    const WORD imageBits = GetBpp();
    const bool rgbAlpha = imageBits == 24 && AlphaIsValid();
    const bool greyAlpha = imageBits == 8 && AlphaIsValid();
    const WORD samples = rgbAlpha ? 4 : imageBits == 24 ? 3 : greyAlpha ? 2 : 1;
    const WORD bitsPerSample = imageBits == 24 ? 8 : imageBits;
    const WORD bits = rgbAlpha ? 32 : imageBits;

    WORD photometric = PHOTOMETRIC_RGB;
    if (imageBits == 1) {
        // Bilevel pages are stored min-is-white: a palette whose first entry is the darker
        // one is swapped, and the pixels inverted with it (in the caller's picture).
        PxRgbQuad* palette = GetPalette();
        if (CompareColorLuma(&palette[0].rgbBlue, &palette[1].rgbBlue) < 0) {
            std::swap(palette[0], palette[1]);
            for (DWORD i = 0; i < m_head.biSizeImage; ++i)
                m_info.pixels[i] = static_cast<BYTE>(~m_info.pixels[i]);
            if (PxImage* owner = m_info.shallowOwner)
                owner->SetPaletteColor(0, owner->GetPaletteColor(0)); // drops its colour cache
            else
                SetPaletteColor(0, GetPaletteColor(0));
        }
        photometric = PHOTOMETRIC_MINISWHITE;
    } else if (imageBits <= 8) {
        const PxRgbQuad* palette = GetPalette();
        bool identity = true;
        for (DWORD i = 0; i < GetPaletteCount() && identity; ++i)
            identity =
                palette[i].rgbRed == i && palette[i].rgbGreen == i && palette[i].rgbBlue == i;
        photometric = identity ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_PALETTE;
    }

    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bitsPerSample);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    if (samples == 2 || samples == 4) {
        const uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    uint32_t rowsPerStrip = TIFFDefaultStripSize(tif, static_cast<uint32_t>(-1));
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, static_cast<float>(GetXDPI()));
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, static_cast<float>(GetYDPI()));
    if (m_multiPage) {
        char name[32];
        std::snprintf(name, sizeof name, "Page %d", page);
        TIFFSetField(tif, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
        TIFFSetField(tif, TIFFTAG_PAGENUMBER, static_cast<uint16_t>(page),
                     static_cast<uint16_t>(pageCount));
        TIFFSetField(tif, TIFFTAG_PAGENAME, name);
    } else {
        TIFFSetField(tif, TIFFTAG_SUBFILETYPE, 0);
    }
    if (photometric == PHOTOMETRIC_PALETTE) {
        std::vector<uint16_t> red(256), green(256), blue(256);
        for (DWORD i = 0; i < GetPaletteCount(); ++i) {
            const PxRgbQuad c = GetPaletteColor(static_cast<BYTE>(i));
            red[i] = static_cast<uint16_t>(c.rgbRed * 257);
            green[i] = static_cast<uint16_t>(c.rgbGreen * 257);
            blue[i] = static_cast<uint16_t>(c.rgbBlue * 257);
        }
        TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
    }

    DWORD compression = GetCodecOption(PXIMAGE_FORMAT_TIF);
    if (compression == 0) {
        compression = bits == 1                ? COMPRESSION_CCITTFAX4
                      : bits == 4 || bits == 8 ? COMPRESSION_LZW
                      : bits >= 24             ? COMPRESSION_JPEG
                                               : COMPRESSION_NONE;
    }
    if (!TIFFSetField(tif, TIFFTAG_COMPRESSION, static_cast<uint16_t>(compression)))
        return false;
    if (compression == COMPRESSION_LZW && bits > 7)
        TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    if (compression == COMPRESSION_JPEG) {
        TIFFSetField(tif, kJpegQualityTag, static_cast<int>(GetJpegQuality()));
        rowsPerStrip = (rowsPerStrip + 7) / 8 * 8;
    }
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);

    std::vector<BYTE> buffer(static_cast<std::size_t>(width) * 4 + 4);
    for (DWORD i = 0; i < height; ++i) {
        const DWORD row = height - 1 - i;
        const BYTE* bitsRow = GetBits(row);
        const BYTE* alpha = AlphaGetPointer(0, static_cast<LONG>(row));
        BYTE* line = buffer.data();
        if (samples == 1) {
            std::copy_n(bitsRow, GetRowStride(), buffer.begin());
        } else if (samples == 2) {
            for (DWORD x = 0; x < width; ++x) {
                line[2 * x] = bitsRow[x];
                line[2 * x + 1] = alpha[x];
            }
        } else {
            for (DWORD x = 0; x < width; ++x) {
                BYTE* out = line + static_cast<std::size_t>(x) * samples;
                out[0] = bitsRow[3 * x + 2];
                out[1] = bitsRow[3 * x + 1];
                out[2] = bitsRow[3 * x];
                if (samples == 4)
                    out[3] = alpha[x];
            }
        }
        if (TIFFWriteScanline(tif, line, i, 0) == -1)
            return false;
    }
    return true;
}
