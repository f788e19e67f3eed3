// Toolbars painted from the skin: the frame grid as background (lying when the toolbar sits in
// a control bar docked on a side), each button on the image of its state with its icon, the hot
// button over the rest, and the button pressed at once shown as it goes down.
#pragma once

#include "skin/core/tool_bar_skin.h"
#include "skin/skinners/skin_control_wnd.h"

#include <string>

class SkinToolBarWnd : public SkinControlWnd {
public:
    // The four button images of the object, in its order.
    enum ButtonImage { NormalImage, PressedImage, HotImage, DisabledImage };

    explicit SkinToolBarWnd(SkinWnd* owner) : SkinControlWnd(owner, kToolBar) {}

    static ButtonImage ImageOf(BYTE buttonState, bool hot);

    void Draw(HDC dc) override;
    void OnPaint() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void DrawBackground(HDC dc, const RECT& rect);
    void DrawButton(HDC dc, int index, bool hot);
    // The button's whole text, however long.
    std::string ButtonText(int command) const;

private:
    void PaintNonClient();
};
