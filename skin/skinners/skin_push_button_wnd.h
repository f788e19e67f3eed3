// A push button painted from the skin's button object: a look for each state drawn over the
// parent's background, its icon, bitmap or text, and a window shaped by the normal look.
#pragma once

#include "skin/core/button_skin.h"
#include "skin/skinners/skin_button_wnd.h"

class SkinPushButtonWnd : public SkinButtonWnd {
public:
    explicit SkinPushButtonWnd(SkinWnd* owner) : SkinButtonWnd(owner, kPushButton) {}

    void Draw(HDC dc) override;
    SkinObject* ApplySkin(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void RepaintNow() override;

    ButtonSkin::State CurrentState() const;

private:
    void BuildShapeRegion(int width, int height);
    void DrawContent(HDC dc, const SkinTextEffect& effect);
    void PaintThrough(HDC dc);

    bool m_default = false;
};
