// PGX: one grey plane of 1 to 16 bits behind a one-line text header
// ("PG ML + 8 640 480": byte order, sign, depth, width, height).
#include <cstdio>
#include <vector>

#include "imagelib/px_jas_formats.h"
#include "imagelib/px_jas_stream.h"

namespace {

constexpr const char* kBadData = "error: cannot load image data";
constexpr int kMaxDepth = 16;

struct PgxHeader {
    bool bigEndian = true;
    bool isSigned = false;
    std::uint32_t depth = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

int SkipBlanks(PxJasStream& in) {
    int c = in.Next();
    while (c == ' ' || c == '\t')
        c = in.Next();
    return c;
}

bool ReadHeader(PxJasStream& in, PgxHeader& h) {
    if (in.Next() != 'P' || in.Next() != 'G')
        return false;
    const int first = SkipBlanks(in);
    const int second = in.Next();
    if (first == 'M' && second == 'L')
        h.bigEndian = true;
    else if (first == 'L' && second == 'M')
        h.bigEndian = false;
    else
        return false;
    int c = SkipBlanks(in);
    if (c == '+' || c == '-') {
        h.isSigned = c == '-';
    } else if (c >= '0' && c <= '9') {
        in.Back(); // no sign: the depth starts here
    } else {
        return false;
    }
    return in.Number(h.depth, false) && in.Number(h.width, false) && in.Number(h.height, false) &&
           in.SingleSpace();
}

} // namespace

bool PxJasReadPgx(PxFile* file, PxJasPicture& picture, std::string& error) {
    const long long left = PxJasBytesLeft(file);
    PxJasStream in(file);
    PgxHeader h;
    if (!ReadHeader(in, h) || h.depth < 1 || h.depth > kMaxDepth || h.width == 0 || h.height == 0) {
        error = kBadData;
        return false;
    }
    const std::size_t bytesPerSample = h.depth <= 8 ? 1 : 2;
    const std::uint64_t needed = static_cast<std::uint64_t>(h.width) * h.height * bytesPerSample;
    if (!PxJasSizeFits(h.width, h.height, 1, needed, left)) {
        error = kBadData;
        return false;
    }
    const int depth = static_cast<int>(h.depth);
    picture.space = PxJasColourSpace::grey;
    std::int32_t* out = picture.AddPlane(h.width, h.height, depth, h.isSigned);
    const std::uint32_t mask = (1u << depth) - 1;
    std::vector<BYTE> row(static_cast<std::size_t>(h.width) * bytesPerSample);
    for (std::uint32_t y = 0; y < h.height; ++y) {
        if (!in.Read(row.data(), row.size())) {
            error = kBadData;
            return false;
        }
        const BYTE* p = row.data();
        for (std::uint32_t x = 0; x < h.width; ++x) {
            std::uint32_t v = *p++;
            if (bytesPerSample == 2) {
                const std::uint32_t second = *p++;
                v = h.bigEndian ? (v << 8) | second : v | (second << 8);
            }
            v &= mask;
            // Signed samples are two's complement in depth bits.
            if (h.isSigned && (v >> (depth - 1)))
                *out++ = static_cast<std::int32_t>(v) - (1 << depth);
            else
                *out++ = static_cast<std::int32_t>(v);
        }
    }
    return true;
}

bool PxJasWritePgx(PxFile* file, const PxJasPicture& picture, std::string& error) {
    const PxJasComponent& grey = picture.components[0];
    char header[64];
    const int length =
        std::snprintf(header, sizeof header, "PG ML + 8 %u %u\n", grey.width, grey.height);
    bool ok = file->Write(header, 1, static_cast<std::size_t>(length)) ==
              static_cast<std::size_t>(length);
    std::vector<BYTE> row(grey.width);
    for (DWORD y = 0; ok && y < grey.height; ++y) {
        const std::int32_t* p = grey.samples + static_cast<std::size_t>(y) * grey.width;
        for (DWORD x = 0; x < grey.width; ++x)
            row[x] = static_cast<BYTE>(p[x]);
        ok = file->Write(row.data(), 1, row.size()) == row.size();
    }
    if (!ok)
        error = "error: cannot encode image\n";
    return ok;
}
