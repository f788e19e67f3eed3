#include "settings/dialogs/save_progress_dlg.h"

#include "saver/dialog_brush.h"
#include "saver/saver_messages.h"
#include "saver/theme_writer.h"

BEGIN_MESSAGE_MAP(CSaveProgressDlg, CDialog)
ON_WM_CTLCOLOR()
ON_MESSAGE(CSaveProgressDlg::kRewriteMessage, OnRewriteThemeFile)
END_MESSAGE_MAP()

CSaveProgressDlg::CSaveProgressDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

HBRUSH CSaveProgressDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    return SaverDialogColor(dc, ctlColor, CDialog::OnCtlColor(dc, wnd, ctlColor));
}

void CSaveProgressDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kProgressId, m_progress);
}

BOOL CSaveProgressDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && (GetKeyState(VK_RETURN) & 0x8000))
        return TRUE; // Enter must not end the dialog half-way
    return CDialog::PreTranslateMessage(msg);
}

BOOL CSaveProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_progress.SetRange(0, 100);
    m_progress.SetBarColor(kBarColour);
    m_progress.SetTextColor(kBarColour);
    CenterWindow();
    ShowWindow(SW_SHOW);
    SendMessage(kRewriteMessage);
    return TRUE;
}

LRESULT CSaveProgressDlg::OnRewriteThemeFile(WPARAM, LPARAM) {
    const ThemeWriteResult result =
        RewriteThemeFile(ThemeWriteInputs{}, [this](int percent) { m_progress.SetPos(percent); });
    if (result.status == ThemeWriteStatus::FileError) {
        result.FileException().ReportError(MB_OK);
    } else if (!result.Ok()) {
        ::MessageBoxA(m_hWnd, LoadSaverString(result.MessageId()),
                      LoadSaverString(IDS_ERROR_CAPTION), MB_OK);
    }
    EndDialog(result.Ok() ? IDOK : IDCANCEL);
    return 0;
}
