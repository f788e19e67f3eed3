#include "gdi/dib_format.h"

#include "win32/errors.h"

#include <bit>
#include <climits>
#include <cstring>

namespace lv::gdi {
namespace {

constexpr DWORD kInfoHeaderSize = 40;
constexpr int kMaxWidth = 1 << 16;
constexpr std::size_t kMaxImageBytes = std::size_t{1} << 30;

struct Channel {
    std::uint32_t mask;
    int shift;
    std::uint32_t max;
};

Channel channel_of(std::uint32_t mask) {
    if (mask == 0) {
        return Channel{0, 0, 0};
    }
    int shift = std::countr_zero(mask);
    return Channel{mask, shift, mask >> shift};
}

std::uint32_t expand(std::uint32_t value, const Channel& c) {
    if (c.max == 0) {
        return 0;
    }
    std::uint32_t v = (value & c.mask) >> c.shift;
    return c.max == 255 ? v : (v * 255 + c.max / 2) / c.max;
}

std::uint32_t reduce(std::uint32_t byte, const Channel& c) {
    if (c.max == 0) {
        return 0;
    }
    std::uint32_t v = c.max == 255 ? byte : (byte * c.max + 127) / 255;
    return (v << c.shift) & c.mask;
}

// Nearest palette entry by squared distance, remembering the last answer (runs repeat).
class NearestEntry {
public:
    explicit NearestEntry(const std::vector<Pixel>& palette) : m_palette(palette) {}
    int operator()(Pixel p) {
        p &= kRgbMask;
        if (p == m_last && m_index >= 0) {
            return m_index;
        }
        int best = 0;
        int best_distance = INT_MAX;
        for (std::size_t i = 0; i < m_palette.size(); ++i) {
            int dr =
                static_cast<int>((p >> 16) & 0xFF) - static_cast<int>((m_palette[i] >> 16) & 0xFF);
            int dg =
                static_cast<int>((p >> 8) & 0xFF) - static_cast<int>((m_palette[i] >> 8) & 0xFF);
            int db = static_cast<int>(p & 0xFF) - static_cast<int>(m_palette[i] & 0xFF);
            int distance = dr * dr + dg * dg + db * db;
            if (distance < best_distance) {
                best_distance = distance;
                best = static_cast<int>(i);
            }
        }
        m_last = p;
        m_index = best;
        return best;
    }

private:
    const std::vector<Pixel>& m_palette;
    Pixel m_last{0};
    int m_index{-1};
};

} // namespace

bool DibFormat::native() const {
    return bits == 32 && masks[0] == 0x00FF0000 && masks[1] == 0x0000FF00 && masks[2] == 0x000000FF;
}

std::size_t dib_stride(int width, int bits) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
}

std::size_t dib_info_size(const DibFormat& format) {
    std::size_t size = kInfoHeaderSize + format.palette.size() * sizeof(RGBQUAD);
    if (format.compression == BI_BITFIELDS) {
        size += 3 * sizeof(DWORD);
    }
    return size;
}

std::optional<DibFormat> parse_dib_format(const BITMAPINFO* info, UINT usage) {
    if (!info || usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    const BITMAPINFOHEADER& h = info->bmiHeader;
    DibFormat f;
    f.bits = h.biBitCount;
    f.compression = h.biCompression;
    bool bits_ok =
        f.bits == 1 || f.bits == 4 || f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32;
    bool compression_ok = f.compression == BI_RGB ||
                          (f.compression == BI_BITFIELDS && (f.bits == 16 || f.bits == 32));
    if (h.biSize < kInfoHeaderSize || h.biWidth <= 0 || h.biWidth > kMaxWidth || h.biHeight == 0 ||
        h.biHeight == INT_MIN || h.biPlanes != 1 || !bits_ok || !compression_ok) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    f.width = h.biWidth;
    f.bottom_up = h.biHeight > 0;
    f.height = f.bottom_up ? h.biHeight : -h.biHeight;
    f.stride = dib_stride(f.width, f.bits);
    if (f.stride > kMaxImageBytes / static_cast<std::size_t>(f.height)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return std::nullopt;
    }
    const auto* after_header = reinterpret_cast<const std::uint8_t*>(info) + h.biSize;
    if (f.compression == BI_BITFIELDS) {
        // Version 4 and 5 headers hold the masks themselves, right after the basic fields.
        const auto* masks = h.biSize >= kInfoHeaderSize + 12
                                ? reinterpret_cast<const std::uint8_t*>(info) + kInfoHeaderSize
                                : after_header;
        std::memcpy(f.masks, masks, sizeof f.masks);
    } else if (f.bits == 16) {
        f.masks[0] = 0x7C00;
        f.masks[1] = 0x03E0;
        f.masks[2] = 0x001F;
    } else if (f.bits == 32) {
        f.masks[0] = 0x00FF0000;
        f.masks[1] = 0x0000FF00;
        f.masks[2] = 0x000000FF;
    }
    if (f.bits <= 8) {
        std::size_t most = std::size_t{1} << f.bits;
        std::size_t count = h.biClrUsed == 0 || h.biClrUsed > most ? most : h.biClrUsed;
        const auto* quads = reinterpret_cast<const RGBQUAD*>(after_header);
        f.palette.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            f.palette[i] = pixel_from_quad(quads[i]);
        }
    }
    return f;
}

void dib_row_to_pixels(const DibFormat& f, const std::uint8_t* row, int x, int count, Pixel* out) {
    auto entry = [&f](unsigned index) -> Pixel {
        return index < f.palette.size() ? f.palette[index] : 0;
    };
    switch (f.bits) {
    case 1:
        for (int i = 0; i < count; ++i) {
            int c = x + i;
            out[i] = entry((row[c >> 3] >> (7 - (c & 7))) & 1);
        }
        return;
    case 4:
        for (int i = 0; i < count; ++i) {
            int c = x + i;
            out[i] = entry((row[c >> 1] >> ((c & 1) ? 0 : 4)) & 0xF);
        }
        return;
    case 8:
        for (int i = 0; i < count; ++i) {
            out[i] = entry(row[x + i]);
        }
        return;
    case 24: {
        const std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
        for (int i = 0; i < count; ++i, p += 3) {
            out[i] = static_cast<Pixel>(p[0]) | (static_cast<Pixel>(p[1]) << 8) |
                     (static_cast<Pixel>(p[2]) << 16);
        }
        return;
    }
    default:
        break;
    }
    if (f.native()) {
        std::memcpy(out, row + static_cast<std::size_t>(x) * 4,
                    static_cast<std::size_t>(count) * 4);
        return;
    }
    Channel r = channel_of(f.masks[0]);
    Channel g = channel_of(f.masks[1]);
    Channel b = channel_of(f.masks[2]);
    for (int i = 0; i < count; ++i) {
        std::uint32_t v;
        if (f.bits == 16) {
            const std::uint8_t* p = row + static_cast<std::size_t>(x + i) * 2;
            v = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8);
        } else {
            std::memcpy(&v, row + static_cast<std::size_t>(x + i) * 4, 4);
        }
        out[i] = (expand(v, r) << 16) | (expand(v, g) << 8) | expand(v, b);
    }
}

void pixels_to_dib_row(const DibFormat& f, const Pixel* in, int x, int count, std::uint8_t* row) {
    if (f.bits <= 8) {
        NearestEntry nearest(f.palette);
        for (int i = 0; i < count; ++i) {
            int c = x + i;
            unsigned index = static_cast<unsigned>(nearest(in[i]));
            if (f.bits == 8) {
                row[c] = static_cast<std::uint8_t>(index);
            } else if (f.bits == 4) {
                int shift = (c & 1) ? 0 : 4;
                row[c >> 1] =
                    static_cast<std::uint8_t>((row[c >> 1] & ~(0xF << shift)) | (index << shift));
            } else {
                int shift = 7 - (c & 7);
                row[c >> 3] =
                    static_cast<std::uint8_t>((row[c >> 3] & ~(1 << shift)) | (index << shift));
            }
        }
        return;
    }
    if (f.bits == 24) {
        std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
        for (int i = 0; i < count; ++i, p += 3) {
            p[0] = static_cast<std::uint8_t>(in[i]);
            p[1] = static_cast<std::uint8_t>(in[i] >> 8);
            p[2] = static_cast<std::uint8_t>(in[i] >> 16);
        }
        return;
    }
    if (f.native()) {
        std::memcpy(row + static_cast<std::size_t>(x) * 4, in, static_cast<std::size_t>(count) * 4);
        return;
    }
    Channel r = channel_of(f.masks[0]);
    Channel g = channel_of(f.masks[1]);
    Channel b = channel_of(f.masks[2]);
    for (int i = 0; i < count; ++i) {
        std::uint32_t v = reduce((in[i] >> 16) & 0xFF, r) | reduce((in[i] >> 8) & 0xFF, g) |
                          reduce(in[i] & 0xFF, b);
        if (f.bits == 16) {
            std::uint8_t* p = row + static_cast<std::size_t>(x + i) * 2;
            p[0] = static_cast<std::uint8_t>(v);
            p[1] = static_cast<std::uint8_t>(v >> 8);
        } else {
            std::memcpy(row + static_cast<std::size_t>(x + i) * 4, &v, 4);
        }
    }
}

} // namespace lv::gdi
