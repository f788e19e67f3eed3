#include "display/screen_config.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace lv::display {
namespace {

constexpr LONG kMaxSide = 16384;

bool parse_side(const char* begin, const char* end, LONG& out) {
    auto [ptr, ec] = std::from_chars(begin, end, out);
    return ec == std::errc() && ptr == end && out >= 1 && out <= kMaxSide;
}

} // namespace

bool parse_screen_size(const char* text, SIZE& out) {
    if (!text)
        return false;
    const char* end = text + std::strlen(text);
    const char* x = std::strchr(text, 'x');
    if (!x)
        return false;
    SIZE parsed{};
    if (!parse_side(text, x, parsed.cx) || !parse_side(x + 1, end, parsed.cy))
        return false;
    out = parsed;
    return true;
}

std::optional<SIZE> configured_screen_size() {
    SIZE parsed{};
    if (!parse_screen_size(std::getenv("LUMIVISTA_SCREEN"), parsed))
        return std::nullopt;
    return parsed;
}

} // namespace lv::display
