// Mixing a rectangle of one image into another.
#include <algorithm>

#include "imagelib/px_image.h"

namespace {

enum class MixRule { Replace, Blend, KeyedDestination };

struct SourcePixel {
    PxRgbQuad colour; // with the alpha value in the reserved byte when the source has a plane
    LONG opacity;     // alpha value x (alpha max + 1) >> 8
    bool transparent;
};

// The colour a destination pixel takes, or false when it stays as it is.
inline bool MixPixel(MixRule rule, const SourcePixel& s, PxRgbQuad d, bool mixAlpha, bool keyed,
                     PxRgbQuad& out) {
    const LONG a = s.opacity;
    if (rule == MixRule::KeyedDestination) {
        if (keyed) {
            out = s.colour;
            return true;
        }
        if (s.transparent || a == 0)
            return false;
        if (a == 255) {
            out = s.colour;
            return true;
        }
        out.rgbBlue = static_cast<BYTE>((s.colour.rgbBlue * a + d.rgbBlue * (255 - a)) >> 8);
        out.rgbGreen = static_cast<BYTE>((s.colour.rgbGreen * a + d.rgbGreen * (255 - a)) >> 8);
        out.rgbRed = static_cast<BYTE>((s.colour.rgbRed * a + d.rgbRed * (255 - a)) >> 8);
        out.rgbReserved =
            static_cast<BYTE>((s.colour.rgbReserved * a + d.rgbReserved * (255 - a)) >> 8);
        return true;
    }
    if (s.transparent || a == 0) {
        // Mixed into the alpha plane, a see-through source pixel makes the destination clear.
        if (!mixAlpha)
            return false;
        out = d;
        out.rgbReserved = 0;
        return true;
    }
    if (rule == MixRule::Replace || a == 255) {
        out = s.colour;
    } else {
        out.rgbBlue = static_cast<BYTE>((s.colour.rgbBlue * a + d.rgbBlue * (255 - a)) >> 8);
        out.rgbGreen = static_cast<BYTE>((s.colour.rgbGreen * a + d.rgbGreen * (255 - a)) >> 8);
        out.rgbRed = static_cast<BYTE>((s.colour.rgbRed * a + d.rgbRed * (255 - a)) >> 8);
    }
    out.rgbReserved = static_cast<BYTE>((a * (d.rgbReserved + 1)) >> 8);
    return true;
}

bool MixInto(PxImage& target, const PxImage& source, LONG left, LONG top, LONG right, LONG bottom,
             LONG x, LONG y, bool mixAlpha, MixRule rule) {
    if (!target.IsValid() || !source.IsValid())
        return false;
    // Only the part of the rectangle that lies inside both images is mixed.
    const LONG sourceWidth = static_cast<LONG>(source.GetWidth());
    const LONG sourceHeight = static_cast<LONG>(source.GetHeight());
    const LONG targetWidth = static_cast<LONG>(target.GetWidth());
    const LONG targetHeight = static_cast<LONG>(target.GetHeight());
    const std::int64_t shiftX = static_cast<std::int64_t>(x) - left;
    const std::int64_t shiftY = static_cast<std::int64_t>(y) - top;
    const std::int64_t firstColumn64 = std::max<std::int64_t>({left, 0, -shiftX});
    const std::int64_t endColumn64 =
        std::min<std::int64_t>({right, sourceWidth, targetWidth - shiftX});
    const std::int64_t firstRow64 = std::max<std::int64_t>({top, 0, -shiftY});
    const std::int64_t endRow64 =
        std::min<std::int64_t>({bottom, sourceHeight, targetHeight - shiftY});
    if (firstColumn64 >= endColumn64 || firstRow64 >= endRow64)
        return true;
    // From here every bound lies inside both images.
    const LONG firstColumn = static_cast<LONG>(firstColumn64);
    const LONG endColumn = static_cast<LONG>(endColumn64);
    const LONG firstRow = static_cast<LONG>(firstRow64);
    const LONG endRow = static_cast<LONG>(endRow64);

    if (mixAlpha && source.AlphaIsValid()) {
        if (!target.AlphaCreate())
            return false;
    } else {
        mixAlpha = false;
    }

    const bool sourceAlpha = source.AlphaIsValid();
    const LONG alphaMax = source.GetAlphaMax();
    const bool keyTest = rule == MixRule::KeyedDestination && target.HasTransIndex();
    const PxRgbQuad key = target.GetTransColor();
    const bool fast = source.GetBpp() == 24 && target.GetBpp() == 24;
    const bool sourceKeyed = source.HasTransIndex();
    const PxRgbQuad sourceKey = source.GetTransColor();
    const LONG rows = std::max(endRow - firstRow, 1);

    for (LONG i = firstRow; i < endRow; ++i) {
        if (target.GetCancel())
            return false;
        target.SetProgress(
            static_cast<DWORD>(static_cast<std::int64_t>(i - firstRow) * 100 / rows));
        const LONG sourceRow = sourceHeight - 1 - i;
        const LONG targetRow = targetHeight - 1 - static_cast<LONG>(i + shiftY);
        const BYTE* from = source.GetBits(static_cast<DWORD>(sourceRow));
        BYTE* to = target.GetBits(static_cast<DWORD>(targetRow));
        const BYTE* fromAlpha = source.AlphaGetPointer(0, sourceRow);
        BYTE* toAlpha = target.AlphaGetPointer(0, targetRow);
        for (LONG j = firstColumn; j < endColumn; ++j) {
            const LONG tx = static_cast<LONG>(j + shiftX);
            SourcePixel s;
            PxRgbQuad d;
            if (fast) {
                const BYTE* sp = from + 3 * j;
                BYTE* dp = to + 3 * tx;
                const BYTE alphaValue = sourceAlpha ? fromAlpha[j] : 255;
                s.colour = PxRgbQuad{sp[0], sp[1], sp[2], sourceAlpha ? alphaValue : BYTE{0}};
                s.transparent = (sourceKeyed && sp[0] == sourceKey.rgbBlue &&
                                 sp[1] == sourceKey.rgbGreen && sp[2] == sourceKey.rgbRed) ||
                                (sourceAlpha && alphaValue == 0);
                s.opacity = (alphaValue * (alphaMax + 1)) >> 8;
                d = PxRgbQuad{dp[0], dp[1], dp[2], toAlpha ? toAlpha[tx] : BYTE{0}};
                PxRgbQuad out;
                if (!MixPixel(rule, s, d, mixAlpha, keyTest && d == key, out))
                    continue;
                dp[0] = out.rgbBlue;
                dp[1] = out.rgbGreen;
                dp[2] = out.rgbRed;
                if (mixAlpha)
                    toAlpha[tx] = out.rgbReserved;
                continue;
            }
            s.colour = source.GetPixelColor(j, sourceRow, true);
            s.transparent = source.IsPixelTransparent(j, sourceRow);
            s.opacity = ((sourceAlpha ? source.AlphaGet(j, sourceRow) : 255) * (alphaMax + 1)) >> 8;
            d = target.GetPixelColor(tx, targetRow, true);
            PxRgbQuad out;
            if (MixPixel(rule, s, d, mixAlpha, keyTest && d == key, out))
                target.SetPixelColor(tx, targetRow, out, mixAlpha);
        }
    }
    return true;
}

} // namespace

bool PxImage::BlendFrom(const PxImage& source, LONG left, LONG top, LONG right, LONG bottom, LONG x,
                        LONG y, bool mixAlpha) {
    return MixInto(*this, source, left, top, right, bottom, x, y, mixAlpha, MixRule::Replace);
}

bool PxImage::BlendFromEx(const PxImage& source, LONG left, LONG top, LONG right, LONG bottom,
                          LONG x, LONG y, bool mixAlpha, bool blend) {
    return MixInto(*this, source, left, top, right, bottom, x, y, mixAlpha,
                   blend ? MixRule::Blend : MixRule::KeyedDestination);
}
