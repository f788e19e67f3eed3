// Drop-down and drop-down-list combo boxes painted from the skin: the frame, the box in the
// skin's colours, the current item and the drop button's four looks.
#pragma once

#include "skin/core/combo_box_skin.h"
#include "skin/skinners/skin_control_wnd.h"

class SkinComboBoxWnd : public SkinControlWnd {
public:
    explicit SkinComboBoxWnd(SkinWnd* owner) : SkinControlWnd(owner, kComboBox) {}
    ~SkinComboBoxWnd() override;

    enum ButtonState { kButtonNormal, kButtonHot, kButtonPressed };

    void Draw(HDC dc) override;
    SkinObject* ApplySkin(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void RedrawIfDirty() override;

    // The drop button is drawn 18 pixels wide from the client's right edge, and is hot only
    // inside the frame's right margin over its rightmost 16.
    RECT ButtonRect() const;
    RECT HotRect() const;
    ButtonState State() const { return m_button; }

private:
    const ComboBoxSkin* Combo() const { return dynamic_cast<const ComboBoxSkin*>(Object()); }
    void SetButton(ButtonState state);
    HBRUSH EditColors(HDC dc, bool enabled);

    HBRUSH m_normalBrush = nullptr;
    HBRUSH m_disabledBrush = nullptr;
    ButtonState m_button = kButtonNormal;
};
