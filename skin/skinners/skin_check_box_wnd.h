// Check boxes (and, through SkinRadioWnd, radio buttons) painted from the skin: a background,
// a box and a text effect for each of seven states, chosen from the check state, the focus,
// the mouse and the enabled state.
#pragma once

#include "skin/core/check_box_skin.h"
#include "skin/skinners/skin_button_wnd.h"

class SkinCheckBoxWnd : public SkinButtonWnd {
public:
    explicit SkinCheckBoxWnd(SkinWnd* owner) : SkinButtonWnd(owner, kCheckBox) {}

    void Draw(HDC dc) override;
    void OnClick() override;

    // The look a state table gives: the first usable background and box of its lists.
    struct Look {
        const SkinNineGridRef* background = nullptr;
        const SkinImageRef* box = nullptr;
        const SkinTextEffect* effect = nullptr;
    };
    Look ChooseLook() const;

protected:
    SkinCheckBoxWnd(SkinWnd* owner, std::uint32_t typeId) : SkinButtonWnd(owner, typeId) {}
    // A radio held down with the mouse keeps its unchecked look.
    virtual bool PressCountsAsChecked() const { return true; }
    virtual bool HasDisabledCheckedFallback() const { return true; }
};
