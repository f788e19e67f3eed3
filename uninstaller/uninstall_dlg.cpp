#include "uninstaller/uninstall_dlg.h"

#include "uninstaller/uninstall_target.h"

namespace {

constexpr UINT kAboutCommand = 16;
constexpr UINT kSucceededTextId = 11;
constexpr UINT kFailedTextId = 12;
constexpr UINT kInformationCaptionId = 13;
constexpr UINT kErrorCaptionId = 14;
constexpr UINT kNotFoundTextId = 16;
constexpr UINT kProgramIcon = 128;

} // namespace

CUninstallDlg::CUninstallDlg(CWnd* parent)
    : CDialog(IDD, parent),
      m_hIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(kProgramIcon))) {}

CUninstallDlg::~CUninstallDlg() {
    // Icons from resources are made for each load here, so the dialog frees its own.
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

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
    std::vector<CString> missing;
    const BOOL success = target && RemoveInstalledSaver(*target, &missing);
    CString text(MAKEINTRESOURCE(success ? kSucceededTextId : kFailedTextId));
    // Say which files were already gone, so the failure is not read as "nothing was removed".
    for (const CString& path : missing) {
        CString line;
        line.Format(kNotFoundTextId, path.GetString());
        text += "\n" + line;
    }
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
