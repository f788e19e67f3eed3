#include "settings/dialogs/music_dlg.h"

#include "saver/dialog_brush.h"
#include "saver/media_list.h"
#include "saver/path_parts.h"
#include "saver/theme_globals.h"
#include "settings/controls/file_dialog_ex.h"

#include <algorithm>

namespace {

constexpr int kModePaused = 529;

// The file's length in bytes, read with the file open for reading and closed to other
// readers; -1 when it cannot be opened.
int SizeOfFile(const CString& path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyRead | CFile::typeBinary))
        return -1;
    const ULONGLONG length = file.GetLength();
    return length > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(length);
}

} // namespace

BEGIN_MESSAGE_MAP(CMusicDlg, CAdvancedDlg)
ON_WM_CTLCOLOR()
ON_BN_CLICKED(CMusicDlg::kAddId, OnAdd)
ON_BN_CLICKED(CMusicDlg::kDeleteId, OnDelete)
ON_BN_CLICKED(CMusicDlg::kUpId, OnMoveUp)
ON_BN_CLICKED(CMusicDlg::kDownId, OnMoveDown)
ON_BN_CLICKED(CMusicDlg::kClearId, OnClear)
ON_BN_CLICKED(CMusicDlg::kPlayId, OnPlay)
ON_BN_CLICKED(CMusicDlg::kStopId, OnStop)
ON_LBN_SELCHANGE(CMusicDlg::kListId, OnSelChange)
END_MESSAGE_MAP()

CMusicDlg::CMusicDlg(CWnd* parent) : CAdvancedDlg(kTemplateId, parent) {}

void CMusicDlg::DoDataExchange(CDataExchange* dx) {
    CAdvancedDlg::DoDataExchange(dx);
    DDX_Control(dx, kListId, m_list);
    DDX_Control(dx, kDownId, m_down);
    DDX_Control(dx, kStopId, m_stop);
    DDX_Control(dx, kPlayId, m_play);
    DDX_Control(dx, kUpId, m_up);
    DDX_Control(dx, kDeleteId, m_delete);
    DDX_Control(dx, kClearId, m_clear);
    DDX_Control(dx, kAddId, m_add);
    DDX_Control(dx, kOrderId, m_order);
    DDX_Check(dx, kLoopId, m_loop);
    DDX_Check(dx, kSoundOffId, m_soundOff);
    DDX_Radio(dx, kSelectedOneId, m_playMode);
}

BOOL CMusicDlg::OnInitDialog() {
    CAdvancedDlg::OnInitDialog();
    InitControls();
    // Normal, pressed, hover, disabled, focus.
    m_add.SetBitmaps(377, 376, 372, 377, 377);
    m_delete.SetBitmaps(368, 367, 369, 368, 368);
    m_up.SetBitmaps(385, 384, 386, 385, 385);
    m_down.SetBitmaps(374, 373, 375, 374, 374);
    m_clear.SetBitmaps(371, 370, 366, 371, 371);
    m_play.SetBitmaps(380, 379, 381, 380, 380);
    m_stop.SetBitmaps(383, 382, 378, 383, 383);
    SetButtonTrioBitmaps();
    if (SaverSettings.musicCount > 0) {
        m_playMode = SaverSettings.musicPlayMode;
        m_loop = SaverSettings.musicLoop;
        m_soundOff = SaverSettings.musicOff;
        m_order.SetCurSel(SaverSettings.musicOrder);
        LoadThemeTracks();
        UpdateData(FALSE);
    }
    return TRUE;
}

void CMusicDlg::InitControls() {
    m_icons.Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, 0, 1);
    m_list.SetImageList(&m_icons);
    m_iconCount = 0;
    m_previewPath.Empty();
    m_playMode = 0;
    m_loop = 1;
    m_soundOff = 0;
    m_order.SetCurSel(0);
    // The order is the options page's; here it is only shown.
    m_order.EnableWindow(FALSE);
    UpdateData(FALSE);
}

void CMusicDlg::LoadThemeTracks() {
    // After an Apply the theme holds the applied list; the work folder still has the tracks
    // the theme file had when it was loaded.
    if (!MusicList.IsEmpty()) {
        for (INT_PTR i = 0; i < MusicList.GetSize(); ++i) {
            const MusicListEntry& entry = MusicList[i];
            const int size = SizeOfFile(JoinPath(entry.folder, entry.name));
            AddListEntry(entry.name, entry.folder, size < 0 ? entry.size : size);
        }
        return;
    }
    const int count = std::min(SaverSettings.musicCount, static_cast<int>(MusicNames.GetSize()));
    for (int i = 0; i < count; ++i) {
        const int size = SizeOfFile(JoinPath(WorkFolder, MusicNames[i]));
        AddListEntry(MusicNames[i], WorkFolder, size < 0 ? 0 : size);
    }
}

bool CMusicDlg::AddMusicFile(const CString& path) {
    const int size = SizeOfFile(path);
    if (size < 0)
        return false;
    AddListEntry(FileNamePart(path), FolderPart(path), size);
    return true;
}

void CMusicDlg::AddListEntry(const CString& name, const CString& folder, int size) {
    auto entry = std::make_unique<MusicListEntry>();
    entry->name = name;
    entry->folder = folder;
    entry->size = size;
    CString text;
    text.Format("[ %s ]\n\nSize : %d ", name.GetString(), size);
    const int index = m_list.InsertItem(m_list.GetCount(), text);
    if (index < 0)
        return;
    m_list.SetItemPointer(index, MakeIconListRecord(std::move(entry)));
    // Every track shows the icon of its own kind.
    SHFILEINFOA info{};
    if (::SHGetFileInfoA(JoinPath(folder, name), 0, &info, sizeof info,
                         SHGFI_ICON | SHGFI_LARGEICON | SHGFI_USEFILEATTRIBUTES) &&
        info.hIcon) {
        const int image = m_icons.Add(info.hIcon);
        ::DestroyIcon(info.hIcon);
        if (image >= 0) {
            m_iconCount = m_icons.GetImageCount();
            m_list.SetItemImage(index, image);
        }
    }
    RefreshCounter();
}

HBRUSH CMusicDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    HBRUSH brush = CAdvancedDlg::OnCtlColor(dc, wnd, ctlColor);
    if (ctlColor != CTLCOLOR_STATIC)
        return brush;
    dc->SetBkMode(TRANSPARENT);
    return SaverDialogBrush();
}

int CMusicDlg::Selected() const {
    if (m_list.GetCount() == 0)
        return -1;
    return m_list.GetCurSel();
}

void CMusicDlg::RefreshCounter() {
    CString counter;
    counter.Format("%d / %d", Selected() + 1, m_list.GetCount());
    SetDlgItemText(kCounterId, counter);
}

void CMusicDlg::ForgetPreview() {
    m_player.Close();
    m_previewPath.Empty();
}

void CMusicDlg::OnSelChange() {
    const int selected = Selected();
    const auto* entry = selected < 0 ? nullptr : m_list.GetItemRecord<MusicListEntry>(selected);
    if (entry)
        m_previewPath.Format("%s\\%s", entry->folder.GetString(), entry->name.GetString());
    RefreshCounter();
}

void CMusicDlg::OnAdd() {
    CFileDialogEx dialog(TRUE, nullptr, nullptr,
                         OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_LONGNAMES,
                         kAddFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    POSITION position = dialog.GetStartPosition();
    while (position)
        AddMusicFile(dialog.GetNextPathName(position));
    m_list.SetCurSel(0);
    OnSelChange();
}

void CMusicDlg::OnDelete() {
    const int selected = Selected();
    if (selected < 0)
        return;
    // A deleted track is never played again: the preview forgets it.
    if (const auto* entry = m_list.GetItemRecord<MusicListEntry>(selected);
        entry && m_previewPath == JoinPath(entry->folder, entry->name))
        ForgetPreview();
    m_list.DeleteItemAndImage(selected);
    m_iconCount = m_icons.GetImageCount();
    if (m_list.GetCount() > 0) {
        m_list.SetCurSel(0);
        OnSelChange();
    }
    RefreshCounter();
}

void CMusicDlg::OnMoveUp() {
    const int selected = Selected();
    if (selected <= 0)
        return;
    m_list.MoveUp(selected, TRUE);
    RefreshCounter();
}

void CMusicDlg::OnMoveDown() {
    const int selected = Selected();
    if (selected < 0 || selected >= m_list.GetCount() - 1)
        return;
    m_list.MoveDown(selected, TRUE);
    RefreshCounter();
}

void CMusicDlg::OnClear() {
    // Whether playing or paused, the preview's track leaves the list.
    ForgetPreview();
    m_list.ResetContent();
    m_icons.Remove(-1);
    m_iconCount = 0;
    RefreshCounter();
}

void CMusicDlg::OnPlay() {
    if (m_player.GetMode() != kModePaused) {
        m_player.Close();
        m_player.Open(m_previewPath);
    }
    if (!m_previewPath.IsEmpty())
        m_player.Play();
}

void CMusicDlg::OnStop() {
    m_player.Close();
}

void CMusicDlg::OnApply() {
    UpdateData(TRUE);
    SaverSettings.musicCount = m_list.GetCount();
    SaverSettings.musicPlayMode = m_playMode;
    SaverSettings.musicLoop = m_loop;
    SaverSettings.musicOff = m_soundOff;
    SaverSettings.musicOrder = m_order.GetCurSel();
    MusicList.RemoveAll();
    for (int i = 0; i < m_list.GetCount(); ++i) {
        if (const auto* entry = m_list.GetItemRecord<MusicListEntry>(i))
            MusicList.Add(*entry);
    }
    RewriteThemeAndClose();
}
