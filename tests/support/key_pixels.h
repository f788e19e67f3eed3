// Pixels of the skin's key colour that a window shows. The key marks what a skin image leaves
// out, so a person should never see one.
#pragma once

#include "win32/win32.h"

#include <ostream>
#include <vector>

namespace lvtest {

constexpr COLORREF kSkinKeyColour = RGB(255, 0, 255);

struct KeyPixels {
    int count = 0;
    std::vector<POINT> first; // a few of them, window-relative, for the failure message
};

std::ostream& operator<<(std::ostream& out, const KeyPixels& pixels);

// The key-coloured pixels of the top-level window's surface inside its window region (the
// whole window rectangle when it has none).
KeyPixels KeyPixelsShown(HWND window);

} // namespace lvtest
