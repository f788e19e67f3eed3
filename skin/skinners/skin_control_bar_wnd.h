// Docking control bars of the class library, painted with their object's frame grid; a bar
// docked on the left or right side shows the grid lying on its side.
#pragma once

#include "skin/core/control_skin.h"
#include "skin/skinners/skin_control_wnd.h"

// A bar docked against the left or right edge of its frame (its CBRS_ALIGN_LEFT or
// CBRS_ALIGN_RIGHT style bits).
bool IsDockedSideways(DWORD barStyle);
// The object's frame grid over (0, 0, size), filled with its first colour; sideways, drawn
// lying and turned upright.
void DrawBarFrame(HDC dc, SIZE size, const ControlSkin& skin, bool sideways);

class SkinControlBarWnd : public SkinControlWnd {
public:
    explicit SkinControlBarWnd(SkinWnd* owner) : SkinControlWnd(owner, kControlBar) {}

    void Draw(HDC dc) override;
};
