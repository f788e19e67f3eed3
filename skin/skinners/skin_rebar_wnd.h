// Rebars painted from the skin: the background and each band on its band image with its text.
#pragma once

#include "skin/core/rebar_skin.h"
#include "skin/skinners/skin_control_wnd.h"

class SkinReBarWnd : public SkinControlWnd {
public:
    explicit SkinReBarWnd(SkinWnd* owner) : SkinControlWnd(owner, kReBar) {}

    // The band text's colour, kept in the block after the band image as a text effect keeps
    // its text colour.
    static COLORREF BandTextColor(const ReBarSkin& skin);

    void Draw(HDC dc) override;
};
