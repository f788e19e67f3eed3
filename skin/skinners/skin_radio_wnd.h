// Radio buttons: the check box's looks, a press that does not count as checked, and a click
// that checks the button and clears the others of its group.
#pragma once

#include "skin/skinners/skin_check_box_wnd.h"

class SkinRadioWnd : public SkinCheckBoxWnd {
public:
    explicit SkinRadioWnd(SkinWnd* owner) : SkinCheckBoxWnd(owner, kRadio) {}

    void OnClick() override;

protected:
    bool PressCountsAsChecked() const override { return false; }
    bool HasDisabledCheckedFallback() const override { return false; }
};
