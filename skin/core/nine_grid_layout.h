// Where the nine parts of a nine-grid reference come from and go to, and how each is drawn:
// pure geometry, shared by the painters and their tests.
#pragma once

#include "skin/core/skin_refs.h"

#include <array>
#include <vector>

namespace nine_grid {

enum Part { TopLeft, Top, TopRight, Left, Centre, Right, BottomLeft, Bottom, BottomRight };
constexpr int kPartCount = 9;

constexpr std::uint32_t kDrawCopy = 0;
constexpr std::uint32_t kDrawTile = 1;
constexpr std::uint32_t kDrawStretch = 2;

// The grid mode whose centre is laid as strips when the whole grid is drawn.
constexpr std::uint32_t kCentreStripsMode = 8;

struct PlacedPart {
    SkinImageRef image; // the grid's image, this part's source rectangle and draw mode
    RECT target;
};

// The nine parts for a target rectangle. `border` lays them out as the border painter does
// (the strip mode has no case of its own there).
std::array<PlacedPart, kPartCount> Layout(const SkinNineGridRef& grid, const RECT& target,
                                          bool border = false);

// The centre's vertical strips: each as wide as the centre's source, the last one what is
// left (empty strips are left out). A source without width gives the whole centre.
std::vector<RECT> CentreStrips(const RECT& centre, int sourceWidth);

} // namespace nine_grid
