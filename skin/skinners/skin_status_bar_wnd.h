// Status bars painted from the skin: the background and each part on its item image with its
// text. Without an object of the skin the bar keeps one of its own.
#pragma once

#include "skin/core/status_bar_skin.h"
#include "skin/skinners/skin_control_wnd.h"

class SkinStatusBarWnd : public SkinControlWnd {
public:
    explicit SkinStatusBarWnd(SkinWnd* owner) : SkinControlWnd(owner, kStatusBar) {}

    SkinObject* ApplySkin(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    void Draw(HDC dc) override;
    void OnPaint() override;

private:
    StatusBarSkin m_ownSkin;
};
