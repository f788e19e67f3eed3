// Static controls painted from the skin: text over the skin's background (or the parent's),
// icons and bitmaps as the control holds them.
#pragma once

#include "skin/core/static_skin.h"
#include "skin/skinners/skin_control_wnd.h"

class SkinStaticWnd : public SkinControlWnd {
public:
    explicit SkinStaticWnd(SkinWnd* owner) : SkinControlWnd(owner, kStatic) {}

    enum class Kind { Text, Icon, Bitmap, Unskinned };
    // By the style's type value: simple, owner-drawn and metafile statics keep their own look.
    static Kind KindOf(DWORD style);

    void Draw(HDC dc) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

private:
    void DrawBackground(HDC dc);
};
