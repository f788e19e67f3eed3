// The base of the push-button, check-box and radio skinners: the standard button's mouse,
// keyboard and check-state handling replaced, so that only the skinner draws the button. A
// button that is or becomes owner-drawn is left to its owner.
#pragma once

#include "skin/skinners/skin_control_wnd.h"

#include <string>

class SkinButtonWnd : public SkinControlWnd {
public:
    using SkinControlWnd::SkinControlWnd;

    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    virtual void OnClick() {}
    // Paints at once through the window's DC.
    virtual void RepaintNow();

    bool IsPressed() const { return m_pressed; }
    bool IsOwnerDrawn() const;

    // Where the box and the text of a check box or radio go inside `area`.
    static void LayoutBox(DWORD style, const RECT& area, SIZE box, RECT& boxRect, RECT& textRect);
    // The text's rectangle inside `area` by the alignment bits of the style.
    static RECT PlaceText(const RECT& area, SIZE text, DWORD style);

protected:
    SIZE MeasureText(HDC dc, const std::string& text) const;
    // Background, box and text of a check box or radio button.
    void DrawBoxAndText(HDC dc, const SkinNineGridRef& background, const SkinImageRef& box,
                        const SkinTextEffect& effect, bool transparent);
    void SetPressed(bool pressed);
    std::string WindowText(int limit) const;
    void Click();

private:
    bool m_pressed = false;
};
