#include "imagelib/px_jas_picture.h"

#include <algorithm>
#include <bit>

namespace {

bool IsNativeDepth(const PxJasComponent& c) {
    return !c.isSigned && (c.precision == 1 || c.precision == 4 || c.precision == 8);
}

bool SameShape(const PxJasComponent& a, const PxJasComponent& b) {
    return a.width == b.width && a.height == b.height;
}

BYTE ClampByte(double v) {
    return static_cast<BYTE>(std::clamp(v + 0.5, 0.0, 255.0));
}

// Three 8-bit values of one pixel into blue, green, red.
void StoreRgb(BYTE* out, BYTE r, BYTE g, BYTE b) {
    out[0] = b;
    out[1] = g;
    out[2] = r;
}

void StoreYcc(BYTE* out, BYTE y, BYTE cb, BYTE cr) {
    const double u = cb - 128.0, v = cr - 128.0;
    StoreRgb(out, ClampByte(y + 1.402 * v), ClampByte(y - 0.344136 * u - 0.714136 * v),
             ClampByte(y + 1.772 * u));
}

bool CreateOrFail(PxImage& image, DWORD width, DWORD height, DWORD bpp, DWORD format,
                  std::string& error) {
    if (image.Create(static_cast<LONG>(width), static_cast<LONG>(height), bpp, format))
        return true;
    error = "Can't allocate memory";
    return false;
}

// Three planes of equal size as a 24-bit image. 8-bit unsigned planes are copied; any other
// depth goes through the reduction to 8 bits.
bool ToRgb(const PxJasComponent* planes, bool ycc, PxImage& image, DWORD format,
           std::string& error) {
    const PxJasComponent& r = planes[0];
    if (!CreateOrFail(image, r.width, r.height, 24, format, error))
        return false;
    const bool plain = !ycc && std::all_of(planes, planes + 3, [](const PxJasComponent& c) {
        return c.precision == 8 && !c.isSigned;
    });
    for (DWORD y = 0; y < r.height; ++y) {
        BYTE* row = image.GetBits(r.height - 1 - y);
        const std::size_t at = static_cast<std::size_t>(y) * r.width;
        const std::int32_t* p0 = planes[0].samples + at;
        const std::int32_t* p1 = planes[1].samples + at;
        const std::int32_t* p2 = planes[2].samples + at;
        if (plain) {
            for (DWORD x = 0; x < r.width; ++x, row += 3)
                StoreRgb(row, static_cast<BYTE>(p0[x]), static_cast<BYTE>(p1[x]),
                         static_cast<BYTE>(p2[x]));
            continue;
        }
        for (DWORD x = 0; x < r.width; ++x, row += 3) {
            const BYTE a = PxJasTo8(p0[x], planes[0].precision, planes[0].isSigned);
            const BYTE b = PxJasTo8(p1[x], planes[1].precision, planes[1].isSigned);
            const BYTE c = PxJasTo8(p2[x], planes[2].precision, planes[2].isSigned);
            if (ycc)
                StoreYcc(row, a, b, c);
            else
                StoreRgb(row, a, b, c);
        }
        if (image.GetCancel()) {
            error = "Cancelled";
            return false;
        }
    }
    return true;
}

// One plane of any depth as grey in a 24-bit image.
bool GreyToRgb(const PxJasComponent& g, PxImage& image, DWORD format, std::string& error) {
    if (!CreateOrFail(image, g.width, g.height, 24, format, error))
        return false;
    for (DWORD y = 0; y < g.height; ++y) {
        BYTE* row = image.GetBits(g.height - 1 - y);
        const std::int32_t* p = g.samples + static_cast<std::size_t>(y) * g.width;
        for (DWORD x = 0; x < g.width; ++x, row += 3) {
            const BYTE v = PxJasTo8(p[x], g.precision, g.isSigned);
            StoreRgb(row, v, v, v);
        }
    }
    return true;
}

// One plane of 1, 4 or 8 bits as palette indices under the grey ramp.
bool ToGreyFrame(const PxJasComponent& g, PxImage& image, DWORD format, std::string& error) {
    if (!CreateOrFail(image, g.width, g.height, static_cast<DWORD>(std::min(g.precision, 8)),
                      format, error))
        return false;
    image.SetGreyPalette();
    const BYTE mask = static_cast<BYTE>((1u << image.GetBpp()) - 1);
    for (DWORD y = 0; y < g.height; ++y) {
        const LONG row = static_cast<LONG>(g.height - 1 - y);
        const std::int32_t* p = g.samples + static_cast<std::size_t>(y) * g.width;
        if (image.GetBpp() == 8) {
            BYTE* out = image.GetBits(static_cast<DWORD>(row));
            for (DWORD x = 0; x < g.width; ++x)
                out[x] = static_cast<BYTE>(p[x]);
            continue;
        }
        for (DWORD x = 0; x < g.width; ++x)
            image.SetPixelIndex(static_cast<LONG>(x), row, static_cast<BYTE>(p[x]) & mask);
    }
    return true;
}

} // namespace

std::int32_t* PxJasPicture::AddPlane(DWORD width, DWORD height, int precision, bool isSigned) {
    planes.emplace_back(static_cast<std::size_t>(width) * height, 0);
    PxJasComponent c;
    c.width = width;
    c.height = height;
    c.precision = precision;
    c.isSigned = isSigned;
    c.samples = planes.back().data();
    components.push_back(c);
    return planes.back().data();
}

int PxJasPrecisionOf(std::uint32_t maxValue) {
    return maxValue == 0 ? 1 : std::bit_width(maxValue);
}

bool PxJasToImage(const PxJasPicture& picture, PxImage& image, DWORD format, std::string& error) {
    const std::vector<PxJasComponent>& comps = picture.components;
    if (comps.empty()) {
        error = "error: cannot load image data";
        return false;
    }
    if (comps.size() > kPxJasMaxComponents) {
        error = "error: too much components";
        return false;
    }
    for (const PxJasComponent& c : comps) {
        if (!c.samples || c.width == 0 || c.height == 0 || c.precision < 1 || c.precision > 31) {
            error = "error: cannot load image data";
            return false;
        }
    }

    const bool threeEqual =
        comps.size() == 3 && SameShape(comps[0], comps[1]) && SameShape(comps[0], comps[2]) &&
        comps[0].precision == comps[1].precision && comps[0].precision == comps[2].precision;
    const bool ycc = picture.space == PxJasColourSpace::ycc;
    const bool native = std::all_of(comps.begin(), comps.end(), IsNativeDepth);

    if (native && threeEqual && !ycc)
        return ToRgb(comps.data(), false, image, format, error);

    if (!native || ycc) {
        // Reduction to 8-bit RGB: grey planes are repeated, colour takes the first three
        // planes when they share one size (a fourth, alpha, plane is dropped).
        const bool colour = comps.size() >= 3 && picture.space != PxJasColourSpace::grey;
        if (colour) {
            if (!SameShape(comps[0], comps[1]) || !SameShape(comps[0], comps[2])) {
                error = "cannot convert to sRGB";
                return false;
            }
            return ToRgb(comps.data(), ycc, image, format, error);
        }
        return GreyToRgb(comps[0], image, format, error);
    }

    const LONG frame = image.GetFrameIndex();
    image.SetNumFrames(static_cast<LONG>(comps.size()));
    if (frame < 0 || static_cast<std::size_t>(frame) >= comps.size()) {
        error = "wrong frame!";
        return false;
    }
    return ToGreyFrame(comps[static_cast<std::size_t>(frame)], image, format, error);
}

bool PxJasFromImage(const PxImage& image, PxJasPicture& picture, std::string& error) {
    const DWORD width = image.GetWidth(), height = image.GetHeight();
    if (image.HasPalette()) {
        if (!image.IsGreyScale()) {
            error = "JasPer can save only RGB or GrayScale images";
            return false;
        }
        picture.space = PxJasColourSpace::grey;
        std::int32_t* grey = picture.AddPlane(width, height, 8);
        for (DWORD y = 0; y < height; ++y) {
            const LONG row = static_cast<LONG>(height - 1 - y);
            for (DWORD x = 0; x < width; ++x)
                *grey++ = image.GetPixelIndexUnchecked(static_cast<LONG>(x), row);
        }
        return true;
    }
    picture.space = PxJasColourSpace::rgb;
    std::int32_t* red = picture.AddPlane(width, height, 8);
    std::int32_t* green = picture.AddPlane(width, height, 8);
    std::int32_t* blue = picture.AddPlane(width, height, 8);
    for (DWORD y = 0; y < height; ++y) {
        const BYTE* row = image.GetBits(height - 1 - y);
        for (DWORD x = 0; x < width; ++x, row += 3) {
            *blue++ = row[0];
            *green++ = row[1];
            *red++ = row[2];
        }
    }
    return true;
}
