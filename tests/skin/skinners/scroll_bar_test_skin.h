// A skin built here for the drawn scroll bars: one scroll-bar object whose pieces each show a
// colour of their own per state. The first arrow carries a white strip along its left edge, so
// that a turned piece shows which way it was turned. The highlighted state has no thumb.
#pragma once

#include "skin/core/skin_data.h"

#include <memory>

namespace sbtest {

constexpr COLORREF kMarker = RGB(255, 255, 255);
constexpr int kMarkerWidth = 3;
constexpr COLORREF kGripper = RGB(0, 200, 200);

// Colours by state (normal, pressed, highlighted, disabled) and piece.
struct PieceColors {
    COLORREF arrow1;
    COLORREF arrow2;
    COLORREF track;
    COLORREF thumb;
};
constexpr PieceColors kStateColors[4] = {
    {RGB(200, 0, 0), RGB(0, 160, 0), RGB(60, 60, 140), RGB(230, 200, 0)},
    {RGB(120, 0, 0), RGB(0, 90, 0), RGB(140, 60, 140), RGB(240, 120, 0)},
    {RGB(250, 120, 120), RGB(120, 250, 120), RGB(90, 90, 200), RGB(1, 2, 3)},
    {RGB(128, 128, 128), RGB(100, 100, 100), RGB(70, 70, 70), RGB(50, 50, 50)},
};

// The skin loaded; null when it does not load.
std::unique_ptr<SkinData> LoadScrollBarTestSkin();

} // namespace sbtest
