// Header controls painted from the skin: the background and each column title on its item
// image, aligned as the title asks.
#pragma once

#include "skin/core/header_skin.h"
#include "skin/skinners/skin_control_wnd.h"

class SkinHeaderWnd : public SkinControlWnd {
public:
    explicit SkinHeaderWnd(SkinWnd* owner) : SkinControlWnd(owner, kHeader) {}

    // DrawText's format for a title of that HDF_* format.
    static UINT TextFormat(int itemFormat);

    void Draw(HDC dc) override;
};
