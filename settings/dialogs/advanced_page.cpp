#include "settings/dialogs/advanced_page.h"

#include "saver/dialog_brush.h"
#include "saver/registry_utils.h"
#include "saver/saver_messages.h"
#include "saver/theme_globals.h"
#include "settings/dialogs/back_color_dlg.h"
#include "settings/dialogs/frame_dlg.h"
#include "settings/dialogs/media_dlg.h"
#include "settings/dialogs/music_dlg.h"
#include "settings/dialogs/transition_dlg.h"

BEGIN_MESSAGE_MAP(CAdvancedPage, CDialog)
ON_WM_CTLCOLOR()
ON_BN_CLICKED(CAdvancedPage::kBackgroundColorId, OnBackgroundColor)
ON_BN_CLICKED(CAdvancedPage::kBackgroundMusicId, OnBackgroundMusic)
ON_BN_CLICKED(CAdvancedPage::kTransitionId, OnTransition)
ON_BN_CLICKED(CAdvancedPage::kFrameId, OnFrame)
ON_BN_CLICKED(CAdvancedPage::kMediaId, OnMedia)
END_MESSAGE_MAP()

CAdvancedPage::CAdvancedPage() : CDialog(kTemplateId) {}

HBRUSH CAdvancedPage::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    return SaverDialogColor(dc, ctlColor, CDialog::OnCtlColor(dc, wnd, ctlColor));
}

void CAdvancedPage::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kTransitionId, m_transition);
    DDX_Control(dx, kFrameId, m_frame);
    DDX_Control(dx, kMediaId, m_media);
    DDX_Control(dx, kBackgroundMusicId, m_backgroundMusic);
    DDX_Control(dx, kBackgroundColorId, m_backgroundColor);
}

BOOL CAdvancedPage::OnInitDialog() {
    CDialog::OnInitDialog();
    // Normal, pressed, hover, disabled, focus.
    m_backgroundColor.SetBitmaps(188, 187, 189, 188, 188);
    m_backgroundMusic.SetBitmaps(191, 190, 192, 191, 191);
    m_transition.SetBitmaps(203, 202, 195, 203, 203);
    m_frame.SetBitmaps(197, 196, 198, 197, 197);
    m_media.SetBitmaps(194, 193, 186, 194, 194);
    return TRUE;
}

bool CAdvancedPage::Allowed(int permission, UINT refusalId) const {
    if (permission != 0)
        return true;
    ShowSaverError(refusalId, m_hWnd);
    return false;
}

void CAdvancedPage::OnBackgroundColor() {
    if (!Allowed(Theme.settingsPermission, IDS_NO_SETTINGS_CHANGE))
        return;
    CBackColorDlg dialog(this);
    dialog.DoModal();
}

void CAdvancedPage::OnBackgroundMusic() {
    if (!Allowed(Theme.settingsPermission, IDS_NO_SETTINGS_CHANGE))
        return;
    CMusicDlg dialog(this);
    dialog.DoModal();
}

void CAdvancedPage::OnTransition() {
    if (!Allowed(Theme.settingsPermission, IDS_NO_SETTINGS_CHANGE))
        return;
    CTransitionDlg dialog(this);
    dialog.DoModal();
}

void CAdvancedPage::OnFrame() {
    // The frame is one of the theme's settings: refused, it says so as the other settings do.
    if (!Allowed(Theme.settingsPermission, IDS_NO_SETTINGS_CHANGE))
        return;
    // The frames live in the authoring tool's folder: without one there is no frame dialog (a
    // failed read is reported by GetRegString itself).
    const CString folder =
        GetRegString(kAuthoringToolKey, kInstallLocationValue, "", HKEY_LOCAL_MACHINE);
    if (folder.IsEmpty())
        return;
    CFrameDlg dialog(this);
    dialog.SetBaseFolder(folder);
    dialog.DoModal();
}

void CAdvancedPage::OnMedia() {
    if (!Allowed(Theme.mediaPermission, IDS_NO_MEDIA_CHANGE))
        return;
    CMediaDlg dialog(this);
    dialog.DoModal();
}
