// PNM: bitmaps (P1, P4), grey maps (P2, P5) and pixel maps (P3, P6), text or binary.
#include <cstdio>
#include <vector>

#include "imagelib/px_jas_formats.h"
#include "imagelib/px_jas_stream.h"

namespace {

constexpr const char* kBadData = "error: cannot load image data";

struct PnmHeader {
    int kind = 0; // 1..6
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t maxValue = 1;
    int planes = 1;
    bool text() const { return kind <= 3; }
    bool bitmap() const { return kind == 1 || kind == 4; }
};

bool ReadHeader(PxJasStream& in, PnmHeader& h) {
    if (in.Next() != 'P')
        return false;
    const int kind = in.Next() - '0';
    if (kind < 1 || kind > 6)
        return false;
    h.kind = kind;
    h.planes = (kind == 3 || kind == 6) ? 3 : 1;
    if (!in.Number(h.width, true) || !in.Number(h.height, true))
        return false;
    if (!h.bitmap() && !in.Number(h.maxValue, true))
        return false;
    // One white-space byte ends the header of a binary raster.
    if (!in.SingleSpace())
        return false;
    return h.width > 0 && h.height > 0 && h.maxValue > 0 && h.maxValue <= 65535;
}

// A sample scaled from 0..maxValue to the plane's full range 0..2^precision-1.
struct Rescale {
    std::uint32_t maxValue;
    std::uint32_t full;
    std::int32_t operator()(std::uint32_t v) const {
        if (v >= maxValue)
            return static_cast<std::int32_t>(full);
        if (maxValue == full)
            return static_cast<std::int32_t>(v);
        return static_cast<std::int32_t>((static_cast<std::uint64_t>(v) * full + maxValue / 2) /
                                         maxValue);
    }
};

// Next '0' or '1' of a text bitmap, which may run without spaces.
int TextBit(PxJasStream& in) {
    for (;;) {
        int c = in.Next();
        if (c == '#') {
            while (c != -1 && c != '\n' && c != '\r')
                c = in.Next();
            continue;
        }
        if (PxJasStream::IsSpace(c))
            continue;
        return (c == '0' || c == '1') ? c - '0' : -1;
    }
}

bool ReadBitmap(PxJasStream& in, const PnmHeader& h, std::int32_t* out) {
    const std::size_t rowBytes = (h.width + 7) / 8;
    std::vector<BYTE> row(rowBytes);
    for (std::uint32_t y = 0; y < h.height; ++y) {
        if (h.kind == 1) {
            for (std::uint32_t x = 0; x < h.width; ++x) {
                const int bit = TextBit(in);
                if (bit < 0)
                    return false;
                *out++ = 1 - bit; // 1 is black
            }
            continue;
        }
        if (!in.Read(row.data(), rowBytes))
            return false;
        for (std::uint32_t x = 0; x < h.width; ++x)
            *out++ = 1 - ((row[x >> 3] >> (7 - (x & 7))) & 1);
    }
    return true;
}

bool ReadSamples(PxJasStream& in, const PnmHeader& h, std::vector<std::int32_t*>& planes) {
    const Rescale rescale{h.maxValue, (1u << PxJasPrecisionOf(h.maxValue)) - 1};
    const std::size_t count = static_cast<std::size_t>(h.width) * h.height;
    const int n = h.planes;
    if (h.text()) {
        for (std::size_t i = 0; i < count; ++i)
            for (int p = 0; p < n; ++p) {
                std::uint32_t v = 0;
                if (!in.Number(v, true))
                    return false;
                planes[static_cast<std::size_t>(p)][i] = rescale(v);
            }
        return true;
    }
    const std::size_t bytesPerSample = h.maxValue < 256 ? 1 : 2;
    const std::size_t rowBytes = static_cast<std::size_t>(h.width) * n * bytesPerSample;
    std::vector<BYTE> row(rowBytes);
    std::size_t i = 0;
    for (std::uint32_t y = 0; y < h.height; ++y) {
        if (!in.Read(row.data(), rowBytes))
            return false;
        const BYTE* p = row.data();
        if (bytesPerSample == 1 && n == 3 && h.maxValue == 255) {
            std::int32_t* r = planes[0] + i;
            std::int32_t* g = planes[1] + i;
            std::int32_t* b = planes[2] + i;
            for (std::uint32_t x = 0; x < h.width; ++x, p += 3) {
                r[x] = p[0];
                g[x] = p[1];
                b[x] = p[2];
            }
            i += h.width;
            continue;
        }
        for (std::uint32_t x = 0; x < h.width; ++x, ++i)
            for (int c = 0; c < n; ++c) {
                std::uint32_t v = *p++;
                if (bytesPerSample == 2)
                    v = (v << 8) | *p++;
                planes[static_cast<std::size_t>(c)][i] = rescale(v);
            }
    }
    return true;
}

} // namespace

bool PxJasReadPnm(PxFile* file, PxJasPicture& picture, std::string& error) {
    const long long left = PxJasBytesLeft(file);
    PxJasStream in(file);
    PnmHeader h;
    if (!ReadHeader(in, h)) {
        error = kBadData;
        return false;
    }
    // Text samples take at least two bytes each ("0 "), except bitmap digits, which take one.
    std::uint64_t needed = static_cast<std::uint64_t>(h.width) * h.height * h.planes;
    if (h.kind == 4)
        needed = static_cast<std::uint64_t>((h.width + 7) / 8) * h.height;
    else if (h.kind == 5 || h.kind == 6)
        needed *= h.maxValue < 256 ? 1 : 2;
    else if (h.kind != 1)
        needed = needed * 2 - 1;
    if (!PxJasSizeFits(h.width, h.height, static_cast<std::uint64_t>(h.planes), needed, left)) {
        error = kBadData;
        return false;
    }
    const int precision = h.bitmap() ? 1 : PxJasPrecisionOf(h.maxValue);
    picture.space = h.planes == 3 ? PxJasColourSpace::rgb : PxJasColourSpace::grey;
    std::vector<std::int32_t*> planes;
    for (int p = 0; p < h.planes; ++p)
        planes.push_back(picture.AddPlane(h.width, h.height, precision));
    const bool ok = h.bitmap() ? ReadBitmap(in, h, planes[0]) : ReadSamples(in, h, planes);
    if (!ok) {
        error = kBadData;
        return false;
    }
    return true;
}

bool PxJasWritePnm(PxFile* file, const PxJasPicture& picture, std::string& error) {
    const std::vector<PxJasComponent>& comps = picture.components;
    const bool colour = comps.size() == 3;
    const DWORD width = comps[0].width, height = comps[0].height;
    char header[64];
    const int length = std::snprintf(header, sizeof header, "P%c\n%u %u\n255\n", colour ? '6' : '5',
                                     width, height);
    const std::size_t n = colour ? 3 : 1;
    std::vector<BYTE> row(static_cast<std::size_t>(width) * n);
    bool ok = file->Write(header, 1, static_cast<std::size_t>(length)) ==
              static_cast<std::size_t>(length);
    for (DWORD y = 0; ok && y < height; ++y) {
        const std::size_t at = static_cast<std::size_t>(y) * width;
        BYTE* p = row.data();
        for (DWORD x = 0; x < width; ++x)
            for (std::size_t c = 0; c < n; ++c)
                *p++ = static_cast<BYTE>(comps[c].samples[at + x]);
        ok = file->Write(row.data(), 1, row.size()) == row.size();
    }
    if (!ok)
        error = "error: cannot encode image\n";
    return ok;
}
