#include "media/rle8.h"

namespace lv::media {

void decode_rle8(std::span<const std::uint8_t> code, std::span<std::uint8_t> pixels,
                 std::uint32_t stride, std::uint32_t width, std::uint32_t height) {
    std::uint64_t x = 0, y = 0;
    std::size_t at = 0;
    const auto put = [&](std::uint8_t value) {
        if (x < width && y < height)
            pixels[static_cast<std::size_t>(y * stride + x)] = value;
        ++x;
    };
    while (code.size() - at >= 2 && y < height) {
        const std::uint8_t count = code[at], value = code[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(value);
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            ++y;
            break;
        case 1: // end of picture
            return;
        case 2: // move right and up
            if (code.size() - at < 2)
                return;
            x += code[at];
            y += code[at + 1];
            at += 2;
            break;
        default: { // a literal run, padded to a whole word
            const std::size_t run = value;
            if (code.size() - at < run)
                return;
            for (std::size_t i = 0; i < run; ++i)
                put(code[at + i]);
            at += run + (run & 1);
            if (at > code.size())
                return;
            break;
        }
        }
    }
}

} // namespace lv::media
