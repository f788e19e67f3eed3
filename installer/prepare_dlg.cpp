#include "installer/prepare_dlg.h"

#include "installer/install_steps.h"
#include "installer/prepare_staging.h"
#include "installer/staging_blocked.h"

namespace {

constexpr COLORREF kProgressColour = 0x68B4FF;
constexpr DWORD kShownOnSuccessMs = 1000;
constexpr DWORD kShownOnFailureMs = 4000;

} // namespace

HBRUSH InstallDialogBrush() {
    static HBRUSH brush = ::CreateSolidBrush(kInstallDialogBackground);
    return brush;
}

CPrepareDlg::CPrepareDlg(std::string packagePath, std::string title, CWnd* parent)
    : CDialog(IDD, parent), m_packagePath(std::move(packagePath)), m_title(std::move(title)) {}

void CPrepareDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kProgressBar, m_progress);
}

BOOL CPrepareDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_progress.SetRange(0, 100);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // The filled part and the percentage over the empty part share the colour.
    m_progress.SetTextColor(kProgressColour);
    m_progress.SetBarColor(kProgressColour);
    m_progress.SetPos(10);
    CenterWindow();
    ShowWindow(SW_SHOW);
    SetDlgItemText(kWaitText, "Please Wait...");
    // Synchronously, so that the extraction runs before the modal loop starts.
    SendMessage(WM_PREPARE_START, 0, 0);
    return TRUE;
}

LRESULT CPrepareDlg::OnStartPrepare(WPARAM, LPARAM) {
    Prepare();
    return 0;
}

void CPrepareDlg::Prepare() {
    const PreparedStaging staging =
        PrepareStaging(m_packagePath, ProgramFilesFolder(), m_title, m_header);
    m_stagingMade = staging.made;
    m_result = staging.result;
    const bool prepared = staging.result == PrepareResult::Prepared;
    m_progress.SetPos(70);
    SetDlgItemText(kResultText, prepared ? "Preparing Successfully" : "Preparing Failed");
    if (!prepared) {
        // A blocked preparation says why in a box the person closes; no need to linger then.
        // This box, above all others, would stand in front of the message: it goes first.
        if (IsStagingBlocked(staging.result)) {
            ShowWindow(SW_HIDE);
            ShowStagingBlocked(m_hWnd, staging);
        } else {
            Sleep(kShownOnFailureMs);
        }
        OnCancel();
        return;
    }
    m_progress.SetPos(100);
    Sleep(kShownOnSuccessMs);
    OnOK();
}

HBRUSH CPrepareDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
    if (ctlColor != CTLCOLOR_DLG && ctlColor != CTLCOLOR_STATIC)
        return brush;
    dc->SetBkMode(TRANSPARENT);
    return InstallDialogBrush();
}

BEGIN_MESSAGE_MAP(CPrepareDlg, CDialog)
ON_WM_CTLCOLOR()
ON_MESSAGE(WM_PREPARE_START, OnStartPrepare)
END_MESSAGE_MAP()
