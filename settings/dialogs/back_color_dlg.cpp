#include "settings/dialogs/back_color_dlg.h"

#include "saver/dialog_brush.h"
#include "saver/theme_globals.h"

BEGIN_MESSAGE_MAP(CBackColorDlg, CAdvancedDlg)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CBackColorDlg::CBackColorDlg(CWnd* parent) : CAdvancedDlg(kTemplateId, parent) {}

void CBackColorDlg::DoDataExchange(CDataExchange* dx) {
    CAdvancedDlg::DoDataExchange(dx);
    DDX_Control(dx, kEndColorId, m_endColor);
    DDX_Control(dx, kSolidColorId, m_solidColor);
    DDX_Control(dx, kStartColorId, m_startColor);
    DDX_Radio(dx, kSolidId, m_mode);
    DDX_Radio(dx, kHorizontalId, m_kind);
}

BOOL CBackColorDlg::OnInitDialog() {
    CAdvancedDlg::OnInitDialog();
    LoadSettings();
    SetButtonTrioBitmaps();
    return TRUE;
}

void CBackColorDlg::LoadSettings() {
    m_mode = SaverSettings.backgroundMode;
    m_kind = SaverSettings.gradientKind;
    m_solidColor.SetColor(SaverSettings.solidColor);
    m_startColor.SetColor(SaverSettings.gradientStartColor);
    m_endColor.SetColor(SaverSettings.gradientEndColor);
    UpdateData(FALSE);
}

HBRUSH CBackColorDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    HBRUSH brush = CAdvancedDlg::OnCtlColor(dc, wnd, ctlColor);
    if (ctlColor != CTLCOLOR_STATIC && ctlColor != CTLCOLOR_BTN)
        return brush;
    dc->SetBkMode(TRANSPARENT);
    return SaverDialogBrush();
}

void CBackColorDlg::OnApply() {
    UpdateData(TRUE);
    SaverSettings.backgroundMode = m_mode;
    SaverSettings.gradientKind = m_kind;
    SaverSettings.solidColor = m_solidColor.GetColor();
    SaverSettings.gradientStartColor = m_startColor.GetColor();
    SaverSettings.gradientEndColor = m_endColor.GetColor();
    RewriteThemeAndClose();
}
