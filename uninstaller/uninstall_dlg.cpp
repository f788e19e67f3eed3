#include "uninstaller/uninstall_dlg.h"

#include "uninstaller/uninstall_target.h"

namespace {

constexpr UINT kAboutCommand = 16;
constexpr UINT kSucceededTextId = 11;
constexpr UINT kFailedTextId = 12;
constexpr UINT kInformationCaptionId = 13;
constexpr UINT kErrorCaptionId = 14;

} // namespace

// The program icon (resource 128) is not carried: the layer's resources hold no icons yet, so
// the dialog shows the frame's default.
CUninstallDlg::CUninstallDlg(CWnd* parent) : CDialog(IDD, parent) {}

void CUninstallDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
}

BOOL CUninstallDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // No about item joins the system menu: the string tables carry no text for it.
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    return TRUE;
}

void CUninstallDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == kAboutCommand)
        return;
    CDialog::OnSysCommand(id, lParam);
}

void CUninstallDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    CRect client;
    GetClientRect(&client);
    dc.DrawIcon((client.Width() - iconWidth + 1) / 2, (client.Height() - iconHeight + 1) / 2,
                m_hIcon);
}

HCURSOR CUninstallDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

void CUninstallDlg::OnUninstall() {
    const std::optional<UninstallTarget> target = FindUninstallTarget(m_strPath);
    const BOOL success = target && RemoveInstalledSaver(*target);
    const CString text(MAKEINTRESOURCE(success ? kSucceededTextId : kFailedTextId));
    const CString caption(MAKEINTRESOURCE(success ? kInformationCaptionId : kErrorCaptionId));
    MessageBox(text, caption, MB_OK);
    OnOK();
}

BEGIN_MESSAGE_MAP(CUninstallDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(kUninstallButton, OnUninstall)
ON_BN_CLICKED(kCancelButton, OnCancel)
END_MESSAGE_MAP()
