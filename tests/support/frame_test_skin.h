// A skin built here for the frame tests: one frame object whose nine parts each show a colour
// of their own (the inactive design other colours again), its top-left corner cut away by the
// key colour, and a close button with a look of its own for every state.
#pragma once

#include "skin/core/skin_data.h"

#include <cstdint>
#include <memory>

namespace lvtest {

struct FrameSkinOptions {
    const char* frameName = "Dialog";
    bool transparent = true;
    // Draw mode of the centre part, the dialog's background: 1 tile, 2 stretch.
    std::uint32_t centreMode = 1;
    // A text element showing the window title over the top edge (it also makes that edge a
    // caption for hit testing).
    bool titleElement = false;
};

// The square cut from part 0's top-left corner by the key colour.
constexpr int kFrameCornerCut = 4;
// The close button's design place (it follows the right edge), and the square cut from its
// top-left corner.
constexpr RECT kCloseButtonDesign{250, 6, 268, 24};
constexpr int kButtonCornerCut = 3;
constexpr COLORREF kCloseNormal = RGB(10, 10, 10);
constexpr COLORREF kCloseHot = RGB(250, 200, 0);
constexpr COLORREF kClosePressed = RGB(0, 90, 250);
constexpr COLORREF kCloseDisabled = RGB(150, 150, 150);
constexpr COLORREF kTitleColor = RGB(255, 255, 255);

COLORREF FramePartColor(int part, bool active);

// The skin's container bytes, as a skin resource holds them.
std::vector<std::uint8_t> FrameTestSkinContainer(const FrameSkinOptions& options = {});
// The skin loaded; null when it does not load.
std::unique_ptr<SkinData> LoadFrameTestSkin(const FrameSkinOptions& options = {});

} // namespace lvtest
