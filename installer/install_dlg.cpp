#include "installer/install_dlg.h"

#include "installer/advert_address.h"
#include "installer/install_globals.h"
#include "installer/install_steps.h"
#include "installer/install_strings.h"
#include "installer/prepare_dlg.h"
#include "installer/staging_blocked.h"
#include "installer/welcome_text.h"
#include "settings/controls/hyper_link.h"

#include <algorithm>
#include <cstdio>

namespace {

// The window's place: centred for a 600 x 420 window, though it is a little smaller.
constexpr int kPlacementWidth = 600;
constexpr int kPlacementHeight = 420;
constexpr int kWindowWidth = 577;
constexpr int kWindowHeight = 387;

constexpr COLORREF kTitleTextColour = 0x000000;
constexpr int kTitlePoints = 16;

// Bitmaps of the image buttons: normal, pressed, hover, disabled, focus.
struct ButtonBitmaps {
    UINT normal, pressed, hover, disabled, focus;
};
constexpr ButtonBitmaps kInstallBitmaps{136, 135, 137, 137, 136};
constexpr ButtonBitmaps kCancelBitmaps{133, 132, 134, 134, 133};
constexpr ButtonBitmaps kWebSiteBitmaps{143, 143, 143, 143, 143};

void SetButtonBitmaps(CImageButton& button, const ButtonBitmaps& ids) {
    button.SetBitmaps(ids.normal, ids.pressed, ids.hover, ids.disabled, ids.focus);
}

} // namespace

CInstallDlg::CInstallDlg(CWnd* parent, std::string packagePath)
    : CDialog(IDD, parent), m_hIcon(AfxGetApp() ? AfxGetApp()->LoadIcon(kProgramIcon) : nullptr),
      m_packagePath(std::move(packagePath)) {}

CInstallDlg::~CInstallDlg() {
    // Icons from resources are made for each load here, so the dialog frees its own.
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

void CInstallDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kCancelButton, m_btnCancel);
    DDX_Control(dx, kInstallButton, m_btnInstall);
    DDX_Control(dx, kWebSiteButton, m_btnWebSite);
    DDX_Control(dx, kTitleLabel, m_lblTitle);
    DDX_Control(dx, kWelcomeBox, m_edtWelcome);
    DDX_Text(dx, kWelcomeBox, m_strWelcome);
}

BOOL CInstallDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    InstallDialogBrush(); // shared with the preparing dialog, made once
    // Never smaller than the template made it: with a dialog font wider than the one the
    // size was chosen for, the buttons would lie outside the window.
    CRect made;
    GetWindowRect(&made);
    MoveWindow((GetSystemMetrics(SM_CXSCREEN) - kPlacementWidth) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - kPlacementHeight) / 2,
               std::max(kWindowWidth, made.Width()), std::max(kWindowHeight, made.Height()));

    m_strTitle = CString(MAKEINTRESOURCE(IDS_THEME_TITLE));
    SetWindowText("Install Manager");
    m_lblTitle.SetBold(1, FALSE);
    m_lblTitle.SetFontNameSize("Tahoma", kTitlePoints, FALSE);
    m_lblTitle.SetTextColor(kTitleTextColour, TRUE);
    m_lblTitle.SetBkColor(kInstallDialogBackground, TRUE);
    m_lblTitle.SetWindowText(m_strTitle + " Screensaver");
    SetButtonBitmaps(m_btnInstall, kInstallBitmaps);
    SetButtonBitmaps(m_btnCancel, kCancelBitmaps);
    SetButtonBitmaps(m_btnWebSite, kWebSiteBitmaps);

    // The staging folder is deleted on destruction only when the preparation made it, so that
    // what a failed one left behind goes as well, and nothing that stood there before does.
    CPrepareDlg prepare(m_packagePath, static_cast<LPCTSTR>(m_strTitle));
    const INT_PTR prepared = prepare.DoModal();
    m_stagingBlocked = IsStagingBlocked(prepare.m_result);
    if (prepare.m_stagingMade)
        m_strStaging = StagingFolderFor(ProgramFilesFolder(), static_cast<LPCTSTR>(m_strTitle));
    if (prepared == IDOK) {
        ReadThemeHeader(prepare.m_header);
        if (m_nMode == kUnattendedMode) {
            OnInstall();
            return TRUE;
        }
        UpdateData(FALSE);
    } else {
        // Ends the dialog once its initialisation is over.
        SendMessage(WM_CLOSE);
    }

    ShowAdvertIfAllowed();
    // An empty stream would replace the built-in welcome text with nothing.
    if (!m_header.welcomeRtf.empty())
        m_edtWelcome.StreamInRtf(
            CString(m_header.welcomeRtf.data(), static_cast<int>(m_header.welcomeRtf.size())));
    return TRUE;
}

BOOL CInstallDlg::ReadThemeHeader(const InstallThemeHeader& staged) {
    m_header = staged;
    m_strWelcome = m_header.welcomeRtf.empty() ? CString(BuiltInWelcomeText().c_str()) : CString();
    return TRUE;
}

void CInstallDlg::ShowAdvertIfAllowed() {
    const std::string address = AdvertAddressFor(m_header, g_installOnline);
    if (address.empty())
        return;
    CWnd* picture = GetDlgItem(kPicture);
    if (!picture)
        return;
    CRect place;
    picture->GetWindowRect(&place);
    ScreenToClient(&place);
    auto view = std::make_unique<CADView>();
    if (!view->Create(nullptr, nullptr, WS_CHILD, place, this, kAdvertView))
        return;
    picture->ShowWindow(SW_HIDE);
    view->MoveWindow(&place);
    view->Navigate2(address);
    view->ShowWindow(SW_SHOW);
    m_pADView = std::move(view);
}

void CInstallDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect client;
    GetClientRect(&client);
    const int left = (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int top = (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
    if (m_hIcon)
        dc.DrawIcon(left, top, m_hIcon);
}

HCURSOR CInstallDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

HBRUSH CInstallDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor != CTLCOLOR_DLG)
        return CDialog::OnCtlColor(dc, wnd, ctlColor);
    dc->SetBkMode(TRANSPARENT);
    return InstallDialogBrush();
}

void CInstallDlg::OnDestroy() {
    CDialog::OnDestroy();
    DeleteStagingFolder(m_strStaging);
}

void CInstallDlg::OnCancel() {
    CDialog::OnCancel();
}

void CInstallDlg::OnCancelButton() {
    OnCancel();
}

void CInstallDlg::OnVisitWebSite() {
    const auto result =
        reinterpret_cast<INT_PTR>(CHyperLink::GotoURL(kMakerWebSite, SW_SHOWMAXIMIZED));
    if (result > 32)
        return;
    // Nothing here opens web pages unless a handler is registered for them: say where the site is.
    std::printf("Web site %s: nothing on this system can open web pages.\n", kMakerWebSite);
    std::fflush(stdout);
}

void CInstallDlg::OnInstall() {
    const InstallOutcome outcome = RunInstallStep(m_strStaging, m_header.title, g_installOsCode);
    if (outcome != InstallOutcome::Failed && m_nOffer)
        OfferDisplayProperties();
    m_btnInstall.EnableWindow(FALSE);
    OnOK();
}

void CInstallDlg::OfferDisplayProperties() {
    const CString question(MAKEINTRESOURCE(IDS_INSTALLED_OPEN_DISPLAY));
    const CString caption(MAKEINTRESOURCE(IDS_INFORMATION));
    if (MessageBox(question, caption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    ShellExecuteA(nullptr, nullptr, "rundll32.exe", "shell32.dll,Control_RunDLL desk.cpl,@0,1",
                  nullptr, SW_SHOW);
}

BEGIN_MESSAGE_MAP(CInstallDlg, CDialog)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_CTLCOLOR()
ON_WM_DESTROY()
ON_BN_CLICKED(kCancelButton, OnCancelButton)
ON_BN_CLICKED(kWebSiteButton, OnVisitWebSite)
ON_BN_CLICKED(kInstallButton, OnInstall)
END_MESSAGE_MAP()
