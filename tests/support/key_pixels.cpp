#include "tests/support/key_pixels.h"

#include "testing/screen_capture.h"

namespace lvtest {

std::ostream& operator<<(std::ostream& out, const KeyPixels& pixels) {
    out << pixels.count << " key-coloured pixels shown";
    for (const POINT& p : pixels.first)
        out << " (" << p.x << "," << p.y << ")";
    return out;
}

KeyPixels KeyPixelsShown(HWND window) {
    constexpr std::size_t kListed = 8;
    KeyPixels found;
    RECT outer{};
    if (!GetWindowRect(window, &outer))
        return found;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = region && GetWindowRgn(window, region) != ERROR;
    for (int y = 0; y < outer.bottom - outer.top; ++y)
        for (int x = 0; x < outer.right - outer.left; ++x) {
            if (shaped && !PtInRegion(region, x, y))
                continue;
            if (lv::testing::window_pixel(window, x, y) != kSkinKeyColour)
                continue;
            ++found.count;
            if (found.first.size() < kListed)
                found.first.push_back(POINT{x, y});
        }
    if (region)
        DeleteObject(region);
    return found;
}

} // namespace lvtest
