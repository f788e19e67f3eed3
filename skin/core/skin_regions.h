// Regions for shaped windows and elements: from a bitmap's non-key pixels, scaled, or
// repeated over a rectangle. The caller owns the region each returns; sources stay valid.
#pragma once

#include "win32/win32.h"

#include <cstdint>

struct SkinBoundImage;

// Every pixel that is not the key colour, as rows of runs from the top of the picture; an
// all-key bitmap gives an empty region; null when the bitmap cannot be read.
HRGN GlazeworkRegionFromBitmap(HBITMAP bitmap, COLORREF key);
// The region scaled by the factors, then moved by (dx, dy); null when it cannot be made.
HRGN GlazeworkScaleRegion(HRGN source, float xFactor, float yFactor, int dx, int dy);
// The region repeated from the target's top-left every step, cut to the target. A step of 0
// or less does not repeat along that axis. With `within`, only what lies inside it is built
// and kept (the window a part belongs to), however large the target.
HRGN GlazeworkNineGridRegion(HRGN source, int stepX, int stepY, const RECT& target,
                             const RECT* within = nullptr);

// A copy of a bound image's region placed where its image is drawn: by the draw mode at the
// rectangle's top-left (0), repeated over it (1) or scaled to it (others); a repeated region
// is built only inside `within`, the window's own rectangle. Null when the image has no region
// or the copy fails.
HRGN PlaceBoundRegion(const SkinBoundImage& bound, std::uint32_t drawMode, const RECT& place,
                      const RECT& within);
