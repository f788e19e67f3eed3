// The transition dialog's list of effects: a check list box with nothing of its own.
#pragma once

#include "mfc/mfc.h"

class CEffectCheckList : public CCheckListBox {
public:
    CEffectCheckList() = default;
    ~CEffectCheckList() override = default;

protected:
    DECLARE_MESSAGE_MAP()
};
