// The transition dialog: which of the 21 effects the slide show cycles through. Apply stores
// the checked ones and rewrites the theme file.
#pragma once

#include "saver/theme_format.h"
#include "settings/dialogs/advanced_dlg.h"
#include "settings/dialogs/effect_check_list.h"

class CTransitionDlg : public CAdvancedDlg {
public:
    static constexpr UINT kTemplateId = 150;
    enum : int { kEffectListId = 1020, kCheckAllId = 1025, kUncheckAllId = 1049 };
    // The effects in list order: the list index is the value stored in EnabledTransitions.
    static constexpr const char* kEffectNames[kTransitionListSize] = {
        "Blinds Vertical",
        "Blinds Horizontal",
        "Wipe Right",
        "Wipe Left",
        "Dripping Paint",
        "Rising Paint",
        "Dripping Right Paint",
        "Dripping Left Paint",
        "Dissolve",
        "Spiral In",
        "Slide Right",
        "Slide Left",
        "Slide Down",
        "Slide Up",
        "Expand BottomRight",
        "Expand TopRight",
        "Outside",
        "Inside",
        "Both Inside",
        "Both Outside",
        "Fade In/Out",
    };

    explicit CTransitionDlg(CWnd* parent = nullptr);
    ~CTransitionDlg() override = default;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnApply() override;
    void FillEffectList();

    afx_msg void OnSelChange();
    afx_msg void OnCheckAll();
    afx_msg void OnUncheckAll();
    DECLARE_MESSAGE_MAP()

private:
    void SetAllChecks(int check);

    CImageButton m_uncheckAll;
    CImageButton m_checkAll;
    CEffectCheckList m_effects;
};
