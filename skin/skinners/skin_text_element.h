// A text element of a frame: the window title, a static text or an owner-drawn area, which
// may also shape the window and answer a hit code (a caption, a sizing edge).
#pragma once

#include "skin/skinners/skin_element.h"

class FrameTextSkin;

class SkinTextElement : public SkinElement {
public:
    using SkinElement::SkinElement;

    void Draw(HDC dc) override;
    bool HitTest(POINT at) const override;
    void Layout(const RECT& window) override;

    LRESULT GetHitCode() const;
    // A new region of the element (the caller deletes it).
    HRGN GetRegion() const;
    // Applies the element's region to the window region by the element's region mode.
    void CombineRegion(HRGN windowRegion) const;
    bool ShowsWindowTitle() const;

private:
    const FrameTextSkin* Text() const;
};
