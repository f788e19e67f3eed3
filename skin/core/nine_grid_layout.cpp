#include "skin/core/nine_grid_layout.h"

#include "skin/core/skin_geometry.h"

namespace nine_grid {
namespace {

// Which parts each grid mode stretches; every other part is tiled.
std::array<bool, kPartCount> StretchedParts(std::uint32_t mode, bool border) {
    std::array<bool, kPartCount> stretched{};
    switch (mode) {
    case 1:
        stretched.fill(true);
        break;
    case 2:
        stretched[Bottom] = true;
        break;
    case 3:
        stretched[Centre] = true;
        break;
    case 4:
        stretched[Left] = true;
        break;
    case 5:
        stretched[Top] = stretched[Left] = stretched[Right] = stretched[Bottom] = true;
        break;
    case 6:
        stretched[Right] = true;
        break;
    case 7:
        stretched[Top] = true;
        break;
    case kCentreStripsMode:
        if (!border) {
            stretched[Top] = stretched[Left] = stretched[Right] = stretched[Bottom] = true;
            stretched[Centre] = true;
        }
        break;
    default:
        break;
    }
    return stretched;
}

} // namespace

std::array<PlacedPart, kPartCount> Layout(const SkinNineGridRef& grid, const RECT& target,
                                          bool border) {
    const RECT s = SkinRect(grid.source);
    const LONG ml = SkinCoordinate(grid.leftMargin), mt = SkinCoordinate(grid.topMargin);
    const LONG mr = SkinCoordinate(grid.rightMargin), mb = SkinCoordinate(grid.bottomMargin);
    const RECT t = SkinRect(target);
    const LONG L = t.left, T = t.top, R = t.right, B = t.bottom;
    const std::array<RECT, kPartCount> sources{{
        {s.left, s.top, s.left + ml, s.top + mt},
        {s.left + ml, s.top, s.right - mr, s.top + mt},
        {s.right - mr, s.top, s.right, s.top + mt},
        {s.left, s.top + mt, s.left + ml, s.bottom - mb},
        {s.left + ml, s.top + mt, s.right - mr, s.bottom - mb},
        {s.right - mr, s.top + mt, s.right, s.bottom - mb},
        {s.left, s.bottom - mb, s.left + ml, s.bottom},
        {s.left + ml, s.bottom - mb, s.right - mr, s.bottom},
        {s.right - mr, s.bottom - mb, s.right, s.bottom},
    }};
    const std::array<RECT, kPartCount> targets{{
        {L, T, L + ml, T + mt},
        {L + ml, T, R - mr, T + mt},
        {R - mr, T, R, T + mt},
        {L, T + mt, L + ml, B - mb},
        {L + ml, T + mt, R - mr, B - mb},
        {R - mr, T + mt, R, B - mb},
        {L, B - mb, L + ml, B},
        {L + ml, B - mb, R - mr, B},
        {R - mr, B - mb, R, B},
    }};
    const std::array<bool, kPartCount> stretched = StretchedParts(grid.gridMode, border);
    std::array<PlacedPart, kPartCount> parts{};
    for (int i = 0; i < kPartCount; ++i) {
        PlacedPart& part = parts[i];
        part.image.imageName = grid.imageName;
        part.image.imageName.back() = '\0';
        part.image.source = sources[i];
        part.image.drawMode = stretched[i] ? kDrawStretch : kDrawTile;
        part.target = targets[i];
    }
    return parts;
}

std::vector<RECT> CentreStrips(const RECT& centre, int sourceWidth) {
    if (sourceWidth <= 0)
        return {centre};
    std::vector<RECT> strips;
    LONG x = centre.left;
    while (x + sourceWidth <= centre.right) {
        strips.push_back({x, centre.top, x + sourceWidth, centre.bottom});
        x += sourceWidth;
    }
    if (x < centre.right)
        strips.push_back({x, centre.top, centre.right, centre.bottom});
    return strips;
}

} // namespace nine_grid
