// The background colour dialog: a solid colour, or a gradient of one of six kinds between a
// start and an end colour. Apply stores them in the theme and rewrites the theme file.
#pragma once

#include "settings/controls/color_button.h"
#include "settings/dialogs/advanced_dlg.h"

class CBackColorDlg : public CAdvancedDlg {
public:
    static constexpr UINT kTemplateId = 147;
    enum : int {
        kSolidId = 1030,
        kGradientId = 1031,
        kSolidColorId = 1035,
        kStartColorId = 1072,
        kEndColorId = 1073,
        kSwapId = 1074, // shown, without an action
        // The six kinds in their tab order: the index is the gradient kind.
        kHorizontalId = 1070,
        kHorizontalCenterId = 1071,
        kVerticalId = 1057,
        kVerticalCenterId = 1058,
        kRectangleId = 1059,
        kEllipticId = 1060,
    };

    explicit CBackColorDlg(CWnd* parent = nullptr);
    ~CBackColorDlg() override = default;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnApply() override;
    void LoadSettings();

    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    DECLARE_MESSAGE_MAP()

private:
    CColorButton m_endColor;
    CColorButton m_solidColor;
    CColorButton m_startColor;
    int m_mode = 0;
    int m_kind = 0;
};
