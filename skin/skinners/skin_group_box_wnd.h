// Group boxes: the skin's frame around the group and its caption over the frame's top line.
#pragma once

#include "skin/core/group_box_skin.h"
#include "skin/skinners/skin_control_wnd.h"

class SkinGroupBoxWnd : public SkinControlWnd {
public:
    explicit SkinGroupBoxWnd(SkinWnd* owner) : SkinControlWnd(owner, kGroupBox) {}

    void Draw(HDC dc) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

    // The caption's rectangle for the control's text and font; the frame's rectangle starts at
    // the caption's vertical middle.
    void LayoutCaption(HDC dc, RECT& caption, RECT& frame) const;

private:
    RECT CaptionRect() const;
    void DrawFrameKeyed(HDC dc, const RECT& frame, const SkinNineGridRef& grid) const;
    // The change runs unseen; the caption's old or new area is repainted in the parent.
    LRESULT ChangeCaption(UINT message, WPARAM wParam, LPARAM lParam);
};

// Marks the control transparent and repaints the parent under it, so that the parent's
// background shows through; shared with the static skinner.
void ShowParentThrough(HWND control);
