// Frame layout as pure functions of the window size and the skin's design: the nine part
// rectangles, where frame elements go, and what a point of a skinned dialog's frame is.
#pragma once

#include "win32/win32.h"

#include <array>
#include <cstdint>

namespace frame_geometry {

using PartRects = std::array<RECT, 9>;

// The design parts for a window of width x height: corners keep their design size, the top
// row and left column stay where the design puts them, edges and centre stretch. Nothing is
// clamped: a corner wider than the window makes edges cross.
PartRects LayoutFrameParts(const PartRects& design, int width, int height);

// Caption buttons and image elements: modes 2 and 8 follow the bottom edge, 4 and 6 the right
// edge, 5 the bottom-right corner; every other mode stays where the design puts it. dw and dh
// are the window size less the design size.
RECT AnchorElement(const RECT& design, std::uint32_t anchorMode, int dw, int dh);

struct TextAnchors {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
};
// Text elements: anchored to both edges of an axis they stretch with the window along it.
RECT AnchorTextElement(const RECT& design, TextAnchors anchors, int dw, int dh);

// A skinned dialog's hit code for a point relative to its window, the frame elements aside.
LRESULT DialogHitTest(const PartRects& parts, bool sizable, bool maximized, POINT at);

} // namespace frame_geometry
