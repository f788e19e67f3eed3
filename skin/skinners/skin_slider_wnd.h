// Trackbars painted from the skin: background, channel and thumb; a vertical trackbar is drawn
// lying and turned upright.
#pragma once

#include "skin/core/slider_skin.h"
#include "skin/skinners/skin_control_wnd.h"

class SkinSliderWnd : public SkinControlWnd {
public:
    explicit SkinSliderWnd(SkinWnd* owner) : SkinControlWnd(owner, kTrackbar) {}

    void Draw(HDC dc) override;
    LONG_PTR Attach(HWND hwnd) override;
    int Detach() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawBackground(HDC dc, const RECT& area) const;

    bool m_hadBoth = false;
    bool m_attached = false;
};
