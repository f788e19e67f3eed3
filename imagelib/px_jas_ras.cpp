// Sun raster files: 1, 8, 24 and 32 bits, plain ("old" and standard), RGB-ordered and
// run-length encoded, with or without a colour map. All fields are big-endian.
#include <array>
#include <vector>

#include "imagelib/px_jas_formats.h"
#include "imagelib/px_jas_stream.h"

namespace {

constexpr const char* kBadData = "error: cannot load image data";
constexpr std::uint32_t kRasMagic = 0x59A66A95;

enum RasType : std::uint32_t { kOld = 0, kStandard = 1, kRunLength = 2, kRgbOrder = 3 };
enum RasMap : std::uint32_t { kNoMap = 0, kRgbMap = 1, kRawMap = 2 };
constexpr BYTE kEscape = 0x80;

struct RasHeader {
    std::uint32_t width = 0, height = 0, depth = 0, length = 0, type = 0, mapType = 0,
                  mapLength = 0;
    std::size_t rowBytes() const {
        return ((static_cast<std::size_t>(width) * depth + 15) / 16) * 2;
    }
};

std::uint32_t BigEndian32(const BYTE* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

void PutBigEndian32(BYTE* p, std::uint32_t v) {
    p[0] = static_cast<BYTE>(v >> 24);
    p[1] = static_cast<BYTE>(v >> 16);
    p[2] = static_cast<BYTE>(v >> 8);
    p[3] = static_cast<BYTE>(v);
}

// Expands run-length data until `out` is full; false when the data end first.
bool ExpandRuns(PxJasStream& in, std::uint64_t encodedLeft, std::vector<BYTE>& out) {
    std::size_t at = 0;
    auto next = [&]() -> int {
        if (encodedLeft == 0)
            return -1;
        --encodedLeft;
        return in.Next();
    };
    while (at < out.size()) {
        const int c = next();
        if (c < 0)
            return false;
        if (c != kEscape) {
            out[at++] = static_cast<BYTE>(c);
            continue;
        }
        const int count = next();
        if (count < 0)
            return false;
        if (count == 0) {
            out[at++] = kEscape;
            continue;
        }
        const int value = next();
        if (value < 0)
            return false;
        for (int i = 0; i <= count && at < out.size(); ++i)
            out[at++] = static_cast<BYTE>(value);
    }
    return true;
}

struct ColourMap {
    std::vector<std::array<BYTE, 3>> entries;
    bool grey() const {
        for (const auto& e : entries)
            if (e[0] != e[1] || e[1] != e[2])
                return false;
        return true;
    }
};

} // namespace

bool PxJasReadRas(PxFile* file, PxJasPicture& picture, std::string& error) {
    error = kBadData;
    const long long left = PxJasBytesLeft(file);
    PxJasStream in(file);
    std::array<BYTE, 32> raw{};
    if (!in.Read(raw.data(), raw.size()) || BigEndian32(raw.data()) != kRasMagic)
        return false;
    RasHeader h;
    h.width = BigEndian32(&raw[4]);
    h.height = BigEndian32(&raw[8]);
    h.depth = BigEndian32(&raw[12]);
    h.length = BigEndian32(&raw[16]);
    h.type = BigEndian32(&raw[20]);
    h.mapType = BigEndian32(&raw[24]);
    h.mapLength = BigEndian32(&raw[28]);
    if (h.width == 0 || h.height == 0 || h.type > kRgbOrder || h.mapType > kRawMap)
        return false;
    if (h.depth != 1 && h.depth != 8 && h.depth != 24 && h.depth != 32)
        return false;
    if (h.mapType == kNoMap && h.mapLength != 0)
        return false;
    const long long afterHeader = left < 0 ? -1 : left - 32;
    if (afterHeader >= 0 && h.mapLength > static_cast<std::uint64_t>(afterHeader))
        return false;

    ColourMap map;
    if (h.mapType == kRgbMap) {
        if (h.mapLength % 3 != 0 || h.mapLength / 3 > 256 || h.mapLength == 0)
            return false;
        const std::size_t n = h.mapLength / 3;
        std::vector<BYTE> bytes(h.mapLength);
        if (!in.Read(bytes.data(), bytes.size()))
            return false;
        map.entries.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            map.entries[i] = {bytes[i], bytes[n + i], bytes[2 * n + i]};
    } else if (h.mapType == kRawMap) {
        std::vector<BYTE> skipped(h.mapLength);
        if (!in.Read(skipped.data(), skipped.size()))
            return false;
    }

    const std::uint64_t rawBytes = static_cast<std::uint64_t>(h.rowBytes()) * h.height;
    const long long dataLeft = afterHeader < 0 ? -1 : afterHeader - h.mapLength;
    // Run-length data need at least one byte per 256 output bytes.
    const std::uint64_t needed = h.type == kRunLength ? rawBytes / 256 : rawBytes;
    const int planesOut = (h.depth >= 24 || (!map.entries.empty() && !map.grey())) ? 3 : 1;
    if (!PxJasSizeFits(h.width, h.height, static_cast<std::uint64_t>(planesOut), needed, dataLeft))
        return false;

    std::vector<BYTE> data(static_cast<std::size_t>(rawBytes));
    if (h.type == kRunLength) {
        const std::uint64_t encoded = h.length ? h.length : ~std::uint64_t{0};
        if (!ExpandRuns(in, encoded, data))
            return false;
    } else if (!in.Read(data.data(), data.size())) {
        return false;
    }

    const int precision = (h.depth == 1 && map.entries.empty()) ? 1 : 8;
    picture.space = planesOut == 3 ? PxJasColourSpace::rgb : PxJasColourSpace::grey;
    std::array<std::int32_t*, 3> planes{};
    for (int p = 0; p < planesOut; ++p)
        planes[static_cast<std::size_t>(p)] = picture.AddPlane(h.width, h.height, precision);

    const bool rgbOrder = h.type == kRgbOrder;
    std::size_t i = 0;
    for (std::uint32_t y = 0; y < h.height; ++y) {
        const BYTE* row = data.data() + static_cast<std::size_t>(y) * h.rowBytes();
        for (std::uint32_t x = 0; x < h.width; ++x, ++i) {
            if (h.depth >= 24) {
                const BYTE* px =
                    row + static_cast<std::size_t>(x) * (h.depth / 8) + (h.depth == 32);
                planes[0][i] = rgbOrder ? px[0] : px[2];
                planes[1][i] = px[1];
                planes[2][i] = rgbOrder ? px[2] : px[0];
                continue;
            }
            const unsigned index = h.depth == 8 ? row[x] : (row[x >> 3] >> (7 - (x & 7))) & 1u;
            if (map.entries.empty()) {
                // A bitmap without map shows 1 as black.
                planes[0][i] = h.depth == 1 ? static_cast<std::int32_t>(1 - index)
                                            : static_cast<std::int32_t>(index);
                continue;
            }
            const auto& e = index < map.entries.size() ? map.entries[index] : map.entries[0];
            for (int p = 0; p < planesOut; ++p)
                planes[static_cast<std::size_t>(p)][i] = e[static_cast<std::size_t>(p)];
        }
    }
    error.clear();
    return true;
}

bool PxJasWriteRas(PxFile* file, const PxJasPicture& picture, std::string& error) {
    const std::vector<PxJasComponent>& comps = picture.components;
    const bool colour = comps.size() == 3;
    RasHeader h;
    h.width = comps[0].width;
    h.height = comps[0].height;
    h.depth = colour ? 24 : 8;
    h.type = kStandard;
    h.length = static_cast<std::uint32_t>(h.rowBytes() * h.height);
    std::array<BYTE, 32> raw{};
    const std::uint32_t fields[8] = {kRasMagic, h.width, h.height, h.depth,
                                     h.length,  h.type,  kNoMap,   0};
    for (int f = 0; f < 8; ++f)
        PutBigEndian32(&raw[static_cast<std::size_t>(f) * 4], fields[f]);
    bool ok = file->Write(raw.data(), 1, raw.size()) == raw.size();
    std::vector<BYTE> row(h.rowBytes(), 0);
    for (DWORD y = 0; ok && y < h.height; ++y) {
        const std::size_t at = static_cast<std::size_t>(y) * h.width;
        BYTE* p = row.data();
        for (DWORD x = 0; x < h.width; ++x) {
            if (colour) {
                *p++ = static_cast<BYTE>(comps[2].samples[at + x]);
                *p++ = static_cast<BYTE>(comps[1].samples[at + x]);
                *p++ = static_cast<BYTE>(comps[0].samples[at + x]);
            } else {
                *p++ = static_cast<BYTE>(comps[0].samples[at + x]);
            }
        }
        ok = file->Write(row.data(), 1, row.size()) == row.size();
    }
    if (!ok)
        error = "error: cannot encode image\n";
    return ok;
}
