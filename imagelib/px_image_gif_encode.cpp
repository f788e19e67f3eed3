// GIF encoding: header, graphic control and comment extensions, the image body in the chosen
// data form, and the tiled form of true-colour pictures.
#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "imagelib/px_codec_io.h"
#include "imagelib/px_gif_lzw_encoder.h"
#include "imagelib/px_gif_rle_encoder.h"
#include "imagelib/px_image_gif.h"

namespace {

// True-colour pictures are cut into cells whose 255 pixels (plus a transparent entry) fit one
// local colour table.
constexpr LONG kCellWidth = 17;
constexpr LONG kCellHeight = 15;

void PutWord(std::vector<BYTE>& out, DWORD value) {
    out.push_back(static_cast<BYTE>(value & 0xFF));
    out.push_back(static_cast<BYTE>((value >> 8) & 0xFF));
}

void PutPalette(std::vector<BYTE>& out, const PxRgbQuad* entries, DWORD count) {
    for (DWORD i = 0; i < count; ++i)
        out.insert(out.end(), {entries[i].rgbRed, entries[i].rgbGreen, entries[i].rgbBlue});
}

void CompressInto(std::vector<BYTE>& out, int initBits, std::span<const BYTE> indices,
                  DWORD encoding) {
    if (encoding == PXGIF_ENCODING_RUN_LENGTH) {
        PxGifRunLengthEncoder(out, initBits).Compress(indices);
        return;
    }
    PxGifLzwEncoder encoder(out, initBits);
    if (encoding == PXGIF_ENCODING_LITERAL)
        encoder.CompressLiteral(indices);
    else
        encoder.Compress(indices);
}

} // namespace

void PxImageGIF::WriteHeader(std::vector<BYTE>& out, bool withPalette) const {
    const char signature[] = "GIF89a";
    out.insert(out.end(), signature, signature + 6);
    PutWord(out, GetWidth());
    PutWord(out, GetHeight());
    const DWORD bits = GetBpp() - 1u;
    out.push_back(withPalette ? static_cast<BYTE>(0x80 | ((bits << 5) & 0xFF) | bits) : 0x11);
    out.push_back(0); // background index
    out.push_back(0); // aspect ratio
    if (withPalette)
        PutPalette(out, GetPalette(), GetPaletteCount());
}

void PxImageGIF::WriteGraphicControl(std::vector<BYTE>& out) const {
    const BYTE flags = static_cast<BYTE>(((m_disposal & 7) << 2) | (HasTransIndex() ? 1 : 0));
    out.insert(out.end(), {0x21, 0xF9, 4, flags});
    PutWord(out, m_control.delay);
    out.push_back(static_cast<BYTE>(GetTransIndex() & 0xFF));
    out.push_back(0);
}

void PxImageGIF::WriteComment(std::vector<BYTE>& out) const {
    const std::size_t length = strnlen(m_comment.data(), 255);
    if (length == 0)
        return;
    out.insert(out.end(), {0x21, 0xFE, static_cast<BYTE>(length)});
    out.insert(out.end(), m_comment.begin(), m_comment.begin() + static_cast<long>(length));
    out.push_back(0);
}

void PxImageGIF::WriteImageBody(std::vector<BYTE>& out, bool localTable, LONG left, LONG top,
                                std::span<const BYTE> indices, DWORD encoding) const {
    const DWORD bpp = GetBpp();
    out.push_back(',');
    PutWord(out, static_cast<DWORD>(left));
    PutWord(out, static_cast<DWORD>(top));
    PutWord(out, GetWidth());
    PutWord(out, GetHeight());
    out.push_back(localTable ? static_cast<BYTE>(0x80 | (bpp - 1)) : 0);
    if (localTable)
        PutPalette(out, GetPalette(), GetPaletteCount());
    const int codeSize = bpp == 1 ? 2 : static_cast<int>(bpp);
    out.push_back(static_cast<BYTE>(codeSize));
    CompressInto(out, codeSize + 1, indices, encoding);
    out.push_back(0);
}

// Palette indices of every pixel, top row first.
std::vector<BYTE> PxImageGIF::IndicesFromTop() const {
    const LONG width = static_cast<LONG>(GetWidth()), height = static_cast<LONG>(GetHeight());
    std::vector<BYTE> indices(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    BYTE* at = indices.data();
    for (LONG y = height - 1; y >= 0; --y) {
        if (GetBpp() == 8) {
            std::memcpy(at, GetBits(static_cast<DWORD>(y)), static_cast<std::size_t>(width));
            at += width;
            continue;
        }
        for (LONG x = 0; x < width; ++x)
            *at++ = GetPixelIndexUnchecked(x, y);
    }
    return indices;
}

void PxImageGIF::EncodeTiles(std::vector<BYTE>& out) {
    WriteHeader(out, false);
    WriteComment(out);
    const LONG width = static_cast<LONG>(GetWidth()), height = static_cast<LONG>(GetHeight());
    const bool transparent = HasTransIndex();
    const PxRgbQuad key = GetTransColor();
    PxImageGIF cell;
    std::vector<BYTE> indices;
    std::unordered_map<DWORD, BYTE> firstEntry;
    for (LONG top = 0; top < height; top += kCellHeight) {
        for (LONG left = 0; left < width; left += kCellWidth) {
            const LONG w = std::min(kCellWidth, width - left);
            const LONG h = std::min(kCellHeight, height - top);
            if (static_cast<LONG>(cell.GetWidth()) != w ||
                static_cast<LONG>(cell.GetHeight()) != h) {
                cell.Create(w, h, 8, PXIMAGE_FORMAT_GIF);
                cell.SetTransIndex(-1);
            }
            PxRgbQuad* palette = cell.GetPalette();
            std::fill(palette, palette + 256, PxRgbQuad{0, 0, 0, 0});
            if (transparent) {
                cell.SetTransIndex(0);
                palette[0] = PxRgbQuad{key.rgbBlue, key.rgbGreen, key.rgbRed, 0};
            }
            for (LONG j = 0; j < h; ++j)
                for (LONG k = 0; k < w; ++k) {
                    PxRgbQuad c = GetPixelColor(left + k, height - 1 - (top + j), false);
                    c.rgbReserved = 0;
                    palette[1 + k + kCellWidth * j] = c;
                }
            // Each pixel takes the first entry of its colour, so the transparent colour
            // becomes index 0.
            firstEntry.clear();
            for (DWORD i = 0; i < 256; ++i) {
                const PxRgbQuad& c = palette[i];
                firstEntry.emplace(static_cast<DWORD>(c.rgbRed) << 16 | c.rgbGreen << 8 | c.rgbBlue,
                                   static_cast<BYTE>(i));
            }
            indices.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
            for (LONG j = 0; j < h; ++j)
                for (LONG k = 0; k < w; ++k) {
                    const PxRgbQuad& c = palette[1 + k + kCellWidth * j];
                    indices[static_cast<std::size_t>(j * w + k)] = firstEntry.at(
                        static_cast<DWORD>(c.rgbRed) << 16 | c.rgbGreen << 8 | c.rgbBlue);
                }
            cell.WriteGraphicControl(out);
            cell.WriteImageBody(out, true, left, top, indices, PXGIF_ENCODING_LZW);
        }
    }
    out.push_back(';');
}

bool PxImageGIF::Encode(PxFile* file) {
    if (CheckEncodeTarget(file))
        return false;
    if (GetWidth() > 0xFFFF || GetHeight() > 0xFFFF) {
        SetLastErrorText("Can't save this image as GIF");
        return false;
    }
    std::vector<BYTE> out;
    if (GetBpp() > 8) {
        EncodeTiles(out);
    } else {
        const std::vector<BYTE> indices = IndicesFromTop();
        WriteHeader(out, HasPalette());
        WriteGraphicControl(out);
        WriteComment(out);
        WriteImageBody(out, false, GetXOffset(), GetYOffset(), indices,
                       GetCodecOption(PXIMAGE_FORMAT_GIF));
        out.push_back(';');
    }
    if (!PxWriteExact(file, out.data(), out.size()) || !file->Flush()) {
        SetLastErrorText("Write Error in GIF file");
        return false;
    }
    return true;
}
