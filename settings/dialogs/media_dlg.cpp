#include "settings/dialogs/media_dlg.h"

#include "imagelib/px_image.h"
#include "saver/media_list.h"
#include "saver/path_parts.h"
#include "saver/saver_messages.h"
#include "saver/text_fields.h"
#include "saver/theme_globals.h"
#include "settings/controls/file_dialog_ex.h"
#include "settings/dialogs/thumbnail.h"

#include <algorithm>

namespace {

constexpr DWORD kFileBufferSize = 10000;
// A shown folder keeps its first 31 bytes, as a field of 32 would.
constexpr int kShownFolderField = 32;
constexpr DWORD kJpegFilterIndex = 2;

struct ExportTarget {
    CString path;
    DWORD format;
};

// The chosen path with the extension of the chosen filter, unless it already ends with it.
ExportTarget ExportTargetFor(const CString& chosen, DWORD filterIndex) {
    const bool jpeg = filterIndex == kJpegFilterIndex;
    const CString extension = jpeg ? ".jpg" : ".bmp";
    ExportTarget target{chosen, jpeg ? DWORD{PXIMAGE_FORMAT_JPG} : DWORD{PXIMAGE_FORMAT_BMP}};
    const int length = chosen.GetLength();
    if (length < extension.GetLength() ||
        chosen.Right(extension.GetLength()).CompareNoCase(extension) != 0)
        target.path += extension;
    return target;
}

} // namespace

BEGIN_MESSAGE_MAP(CMediaDlg, CAdvancedDlg)
ON_BN_CLICKED(CMediaDlg::kAddId, OnAdd)
ON_BN_CLICKED(CMediaDlg::kDeleteId, OnDelete)
ON_BN_CLICKED(CMediaDlg::kUpId, OnMoveUp)
ON_BN_CLICKED(CMediaDlg::kDownId, OnMoveDown)
ON_BN_CLICKED(CMediaDlg::kClearId, OnClear)
ON_BN_CLICKED(CMediaDlg::kExportId, OnExport)
ON_LBN_SELCHANGE(CMediaDlg::kListId, OnSelChange)
ON_EN_SETFOCUS(CMediaDlg::kCaptionId, OnCaptionSetFocus)
ON_EN_KILLFOCUS(CMediaDlg::kCaptionId, OnCaptionKillFocus)
END_MESSAGE_MAP()

CMediaDlg::CMediaDlg(CWnd* parent) : CAdvancedDlg(kTemplateId, parent) {}

CString CMediaDlg::LabelOf(const CString& title, DWORD width, DWORD height) {
    CString label;
    label.Format("%s [ %d X %d ]", title.GetString(), static_cast<int>(width),
                 static_cast<int>(height));
    return label;
}

CString CMediaDlg::ShownFolder(const CString& folder) {
    if (folder.GetLength() <= kShownFolderLimit)
        return folder;
    return FitTextBytes(folder, kShownFolderField - 1) + "...";
}

void CMediaDlg::DoDataExchange(CDataExchange* dx) {
    CAdvancedDlg::DoDataExchange(dx);
    DDX_Control(dx, kExportId, m_export);
    DDX_Control(dx, kUpId, m_up);
    DDX_Control(dx, kDownId, m_down);
    DDX_Control(dx, kClearId, m_clear);
    DDX_Control(dx, kDeleteId, m_delete);
    DDX_Control(dx, kAddId, m_add);
    DDX_Control(dx, kListId, m_list);
    DDX_Text(dx, kCaptionId, m_caption);
}

BOOL CMediaDlg::OnInitDialog() {
    CAdvancedDlg::OnInitDialog();
    m_thumbnails.Create(kThumbnailWidth, kThumbnailHeight, ILC_COLOR32 | ILC_MASK, 0, 1);
    m_list.SetImageList(&m_thumbnails);
    SendDlgItemMessage(kCaptionId, EM_LIMITTEXT, kCaptionLimit);
    LoadThemeImages();
    // Normal, pressed, hover, disabled, focus.
    m_add.SetBitmaps(246, 245, 247, 246, 246);
    m_delete.SetBitmaps(252, 251, 244, 252, 252);
    m_up.SetBitmaps(263, 262, 264, 263, 263);
    m_down.SetBitmaps(255, 254, 256, 255, 255);
    m_clear.SetBitmaps(179, 178, 180, 179, 179);
    m_export.SetBitmaps(175, 177, 176, 175, 175);
    SetButtonTrioBitmaps();
    return TRUE;
}

// Enter stores the caption being edited; neither Enter nor Escape ends the dialog.
BOOL CMediaDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && (::GetKeyState(VK_RETURN) & 0x8000)) {
        if (::GetFocus() == ::GetDlgItem(m_hWnd, kCaptionId))
            SetCaption(CaptionEditText());
        return TRUE;
    }
    if (msg->message == WM_KEYDOWN && (::GetKeyState(VK_ESCAPE) & 0x8000))
        return TRUE;
    return CAdvancedDlg::PreTranslateMessage(msg);
}

void CMediaDlg::LoadThemeImages() {
    SetCaption(CaptionEditText());
    // After an Apply the theme holds the applied list; the work folder still has the pictures
    // the theme file had when it was loaded.
    if (!MediaList.IsEmpty()) {
        for (INT_PTR i = 0; i < MediaList.GetSize(); ++i)
            AddThemePicture(MediaList[i]);
        return;
    }
    const int count = std::min(Theme.imageCount, static_cast<int>(ImageNames.GetSize()));
    for (int i = 0; i < count; ++i) {
        MediaListEntry entry;
        entry.name = ImageNames[i];
        entry.folder = WorkFolder;
        // The captions the theme file holds stay theirs.
        entry.caption = i < ImageCaptions.GetSize() ? ImageCaptions[i] : CString();
        entry.themePicture = i;
        AddThemePicture(entry);
    }
}

bool CMediaDlg::LoadPicture(const MediaListEntry& entry, PxImage& picture) {
    if (entry.themePicture >= 0)
        return m_themePictures.Load(entry.themePicture, picture);
    return picture.Load(JoinPath(entry.folder, entry.name), PXIMAGE_FORMAT_UNKNOWN);
}

bool CMediaDlg::AddImageFile(const CString& path) {
    PxImage picture;
    if (!picture.Load(path, PXIMAGE_FORMAT_UNKNOWN))
        return false;
    MediaListEntry entry;
    entry.name = FileNamePart(path);
    entry.folder = FolderPart(path);
    entry.caption = LabelOf(TitlePart(entry.name), picture.GetWidth(), picture.GetHeight());
    ListPicture(entry, picture);
    return true;
}

// A picture of the theme that cannot be decoded stays listed: only Delete or Clear drops it.
void CMediaDlg::AddThemePicture(const MediaListEntry& entry) {
    PxImage picture;
    if (!LoadPicture(entry, picture))
        picture.Destroy();
    ListPicture(entry, picture);
}

void CMediaDlg::ListPicture(const MediaListEntry& entry, PxImage& picture) {
    AddListItem(m_itemCount, entry);
    ++m_itemCount;
    m_thumbnails.SetImageCount(static_cast<UINT>(m_itemCount));
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();

    if (picture.IsValid())
        PutThumbnail(m_list, m_thumbnails, m_nextSlot, picture);
    else
        PutPlaceholderThumbnail(m_list, m_thumbnails, m_nextSlot);
    m_list.Invalidate();
    ++m_nextSlot;
}

void CMediaDlg::AddListItem(int slot, const MediaListEntry& listed) {
    auto entry = std::make_unique<MediaListEntry>(listed);
    entry->caption = FitTextBytes(listed.caption, CMediaDlg::kCaptionLimit);
    CString text;
    text.Format("[ %s ]\nPPath : %s \nCaption : %s ", entry->name.GetString(),
                ShownFolder(entry->folder).GetString(), entry->caption.GetString());
    const int index = m_list.InsertItem(m_list.GetCount(), text, slot);
    if (index < 0)
        return;
    m_list.SetItemPointer(index, MakeIconListRecord(std::move(entry)));
}

int CMediaDlg::Selected() const {
    if (m_list.GetCount() == 0)
        return -1;
    return m_list.GetCurSel();
}

CString CMediaDlg::CaptionEditText() const {
    CString text;
    if (CWnd* edit = GetDlgItem(kCaptionId))
        edit->GetWindowText(text);
    return text;
}

void CMediaDlg::SetCaption(const CString& text) {
    const int selected = Selected();
    if (selected < 0)
        return;
    if (auto* entry = m_list.GetItemRecord<MediaListEntry>(selected))
        entry->caption = FitTextBytes(text, CMediaDlg::kCaptionLimit);
}

void CMediaDlg::ShowSelectedCaption() {
    const int selected = Selected();
    const auto* entry = selected < 0 ? nullptr : m_list.GetItemRecord<MediaListEntry>(selected);
    m_caption = entry ? entry->caption : CString();
    UpdateData(FALSE);
}

void CMediaDlg::OnSelChange() {
    ShowSelectedCaption();
}

void CMediaDlg::OnCaptionSetFocus() {}

void CMediaDlg::OnCaptionKillFocus() {
    SetCaption(CaptionEditText());
}

void CMediaDlg::OnAdd() {
    CFileDialogEx dialog(TRUE, nullptr, nullptr,
                         OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_LONGNAMES,
                         kAddFilter, this);
    dialog.m_ofn.nMaxFile = std::min<DWORD>(dialog.m_ofn.nMaxFile, kFileBufferSize);
    if (dialog.DoModal() != IDOK)
        return;
    POSITION position = dialog.GetStartPosition();
    while (position)
        AddImageFile(dialog.GetNextPathName(position));
}

void CMediaDlg::OnDelete() {
    const int selected = Selected();
    if (selected < 0)
        return;
    // The deleted picture's thumbnail goes with it: every other item keeps its own.
    m_list.DeleteItemAndImage(selected);
    --m_itemCount;
    --m_nextSlot;
    if (m_list.GetCount() > 0)
        m_list.SetCurSel(0);
    ShowSelectedCaption();
}

void CMediaDlg::OnMoveUp() {
    const int selected = Selected();
    if (selected <= 0)
        return;
    m_list.MoveUp(selected, TRUE);
}

void CMediaDlg::OnMoveDown() {
    const int selected = Selected();
    if (selected < 0 || selected >= m_list.GetCount() - 1)
        return;
    m_list.MoveDown(selected, TRUE);
}

void CMediaDlg::OnClear() {
    if (m_list.GetCount() == 0)
        return;
    m_list.ResetContent();
    m_thumbnails.Remove(-1);
    m_itemCount = 0;
    m_nextSlot = 0;
    m_caption.Empty();
    UpdateData(FALSE);
}

void CMediaDlg::OnExport() {
    const int selected = Selected();
    const auto* entry = selected < 0 ? nullptr : m_list.GetItemRecord<MediaListEntry>(selected);
    if (!entry)
        return;
    const MediaListEntry source = *entry;
    // The name comes back with the extension of the chosen format, so the question whether to
    // replace a file is asked once that name is known.
    CFileDialogEx dialog(FALSE, nullptr, TitlePart(source.name),
                         OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, kExportFilter, this);
    dialog.m_ofn.nMaxFile = std::min<DWORD>(dialog.m_ofn.nMaxFile, kFileBufferSize);
    if (dialog.DoModal() != IDOK)
        return;
    PxImage picture;
    if (!LoadPicture(source, picture))
        return;
    const ExportTarget target = ExportTargetFor(dialog.GetPathName(), dialog.m_ofn.nFilterIndex);
    if (::GetFileAttributesA(target.path) != INVALID_FILE_ATTRIBUTES) {
        CString question;
        question.Format(LoadSaverString(IDS_REPLACE_FILE), target.path.GetString());
        if (MessageBox(question, LoadSaverString(IDS_CONFIRM_CAPTION),
                       MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return;
    }
    if (picture.Save(target.path, target.format))
        return;
    CString failure;
    failure.Format(LoadSaverString(IDS_PICTURE_NOT_SAVED), target.path.GetString());
    MessageBox(failure, LoadSaverString(IDS_ERROR_CAPTION), MB_OK | MB_ICONERROR);
}

void CMediaDlg::OnApply() {
    UpdateData(TRUE);
    SetCaption(CaptionEditText());
    Theme.imageCount = m_list.GetCount();
    MediaList.RemoveAll();
    for (int i = 0; i < m_list.GetCount(); ++i) {
        if (const auto* entry = m_list.GetItemRecord<MediaListEntry>(i))
            MediaList.Add(*entry);
    }
    RewriteThemeAndClose();
}
