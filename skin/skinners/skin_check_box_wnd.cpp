#include "skin/skinners/skin_check_box_wnd.h"

#include "skin/core/skin_draw.h"

#include <initializer_list>

namespace {

using State = CheckBoxSkin::State;

const SkinNineGridRef& FirstBackground(const CheckBoxSkin& skin,
                                       std::initializer_list<State> list) {
    for (State state : list)
        if (!GlazeworkIsNineGridEmpty(skin.states[state].background))
            return skin.states[state].background;
    return skin.states[*(list.end() - 1)].background;
}

const SkinImageRef& FirstBox(const CheckBoxSkin& skin, std::initializer_list<State> list) {
    for (State state : list)
        if (!GlazeworkIsImageRefEmpty(skin.states[state].box))
            return skin.states[state].box;
    return skin.states[*(list.end() - 1)].box;
}

} // namespace

SkinCheckBoxWnd::Look SkinCheckBoxWnd::ChooseLook() const {
    const auto* skin = dynamic_cast<const CheckBoxSkin*>(Object());
    if (!skin)
        return {};
    HWND hwnd = GetHwnd();
    const auto state = static_cast<UINT>(SendMessageA(hwnd, BM_GETSTATE, 0, 0));
    const bool checked = (SendMessageA(hwnd, BM_GETCHECK, 0, 0) & 3) == BST_CHECKED;
    auto look = [&](std::initializer_list<State> backgrounds, std::initializer_list<State> boxes,
                    State text) {
        return Look{&FirstBackground(*skin, backgrounds), &FirstBox(*skin, boxes),
                    &skin->states[text].effect};
    };
    using S = CheckBoxSkin;
    if (!IsWindowEnabled(hwnd)) {
        if (checked)
            return HasDisabledCheckedFallback()
                       ? look({S::GrayedSelected, S::Disabled, S::Normal},
                              {S::GrayedSelected, S::Disabled, S::Selected}, S::GrayedSelected)
                       : look({S::GrayedSelected, S::Selected}, {S::GrayedSelected, S::Selected},
                              S::GrayedSelected);
        return look({S::GrayedNormal, S::Disabled, S::Normal},
                    {S::GrayedNormal, S::Disabled, S::Normal}, S::GrayedNormal);
    }
    const auto focusedChecked = [&] {
        return look({S::HighlightedSelected, S::Selected, S::Normal},
                    {S::HighlightedSelected, S::Selected}, S::HighlightedSelected);
    };
    const auto focusedUnchecked = [&] {
        return look({S::HighlightedNormal, S::Normal}, {S::HighlightedNormal, S::Normal},
                    S::HighlightedNormal);
    };
    if (state & BST_PUSHED)
        return look({S::Selected, S::Normal}, {S::Selected}, S::Selected);
    const bool focused = GetFocus() == hwnd;
    if (focused)
        return checked ? focusedChecked() : focusedUnchecked();
    if (checked || (IsPressed() && PressCountsAsChecked()))
        return IsHot() ? focusedChecked()
                       : look({S::Selected, S::Normal}, {S::Selected}, S::Selected);
    return IsHot() ? focusedUnchecked() : look({S::Normal}, {S::Normal}, S::Normal);
}

void SkinCheckBoxWnd::Draw(HDC dc) {
    const auto* skin = dynamic_cast<const CheckBoxSkin*>(Object());
    if (!skin)
        return;
    const Look look = ChooseLook();
    DrawBoxAndText(dc, *look.background, *look.box, *look.effect, skin->transparent != 0);
}

void SkinCheckBoxWnd::OnClick() {
    HWND hwnd = GetHwnd();
    const auto type = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & 0x1F;
    const auto check = static_cast<WPARAM>(SendMessageA(hwnd, BM_GETCHECK, 0, 0) & 3);
    if (type == BS_AUTOCHECKBOX)
        SendMessageA(hwnd, BM_SETCHECK, check == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED, 0);
    else if (type == BS_AUTO3STATE)
        SendMessageA(hwnd, BM_SETCHECK, (check + 1) % 3, 0);
}
