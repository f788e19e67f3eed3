#include "skin/skinners/skin_edit_wnd.h"

#include "win32/richedit.h"

SkinEditWnd::~SkinEditWnd() {
    if (m_normalBrush)
        DeleteObject(m_normalBrush);
    if (m_disabledBrush)
        DeleteObject(m_disabledBrush);
}

void SkinEditWnd::SetRichEditBackground() {
    const BorderedControlSkin* skin = Bordered();
    if (GetHwnd() && skin && skin->GetType() == BorderedControlSkin::kRichEdit)
        SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(skin->color1));
}

SkinObject* SkinEditWnd::ApplySkin(SkinObject* object) {
    // The brushes first: the repaint at the end of the base's apply asks for them.
    for (HBRUSH* brush : {&m_normalBrush, &m_disabledBrush}) {
        if (*brush)
            DeleteObject(*brush);
        *brush = nullptr;
    }
    if (const auto* skin = dynamic_cast<const BorderedControlSkin*>(object)) {
        m_normalBrush = CreateSolidBrush(skin->color1);
        m_disabledBrush = CreateSolidBrush(skin->color3);
    }
    SkinObject* previous = SkinBorderedWnd::ApplySkin(object);
    // The skin's font takes the control's deferred road of the base (AUTOSKINFONT).
    SetRichEditBackground();
    return previous;
}

LONG_PTR SkinEditWnd::Attach(HWND hwnd) {
    const LONG_PTR result = SkinBorderedWnd::Attach(hwnd);
    SetRichEditBackground();
    return result;
}

LRESULT SkinEditWnd::OnEraseBkgnd(HDC dc) {
    return CallSaved(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
}

HBRUSH SkinEditWnd::GetOwnerColors(UINT message, HDC dc) {
    const BorderedControlSkin* skin = Bordered();
    if (!skin || !m_normalBrush)
        return nullptr;
    if (message == WM_CTLCOLOREDIT) {
        SetBkColor(dc, skin->color1);
        SetTextColor(dc, skin->color2);
        return m_normalBrush;
    }
    if (message == WM_CTLCOLORSTATIC) {
        SetBkColor(dc, skin->color3);
        SetTextColor(dc, skin->color2);
        return m_disabledBrush;
    }
    return nullptr;
}
