// Edit and rich edit controls paint themselves, in the colours of the skin's object of their
// own type; their border is the skin's.
#pragma once

#include "skin/skinners/skin_bordered_wnd.h"

class SkinEditWnd : public SkinBorderedWnd {
public:
    SkinEditWnd(SkinWnd* owner, std::uint32_t typeId) : SkinBorderedWnd(owner, typeId) {}
    ~SkinEditWnd() override;

    SkinObject* ApplySkin(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    // WM_CTLCOLOREDIT and WM_CTLCOLORSTATIC (read-only and disabled) of this control.
    HBRUSH GetOwnerColors(UINT message, HDC dc) override;

protected:
    bool PaintsItself() const override { return true; }
    LRESULT OnEraseBkgnd(HDC dc) override;

private:
    void SetRichEditBackground();

    HBRUSH m_normalBrush = nullptr;
    HBRUSH m_disabledBrush = nullptr;
};
