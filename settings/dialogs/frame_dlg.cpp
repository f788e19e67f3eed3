#include "settings/dialogs/frame_dlg.h"

#include "imagelib/px_image.h"
#include "saver/saver_messages.h"
#include "saver/theme_globals.h"
#include "settings/dialogs/thumbnail.h"

namespace {

constexpr char kNoFrame[] = "No Frame";
constexpr char kNoFrameMark[] = "NoFrame";
constexpr COLORREF kNoFrameInk = 0xFAFAFA;
constexpr LONG kNoFrameX = 13;
constexpr LONG kNoFrameY = 30;
constexpr LONG kNoFrameFontHeight = 15;

// The picture a frame's thumbnail shows: a PNG on white, so its clear parts look white.
PxImage LoadFramePicture(const FrameListEntry& entry) {
    PxImage picture;
    if (entry.format == 0) {
        picture.Load(entry.picturePath, PXIMAGE_FORMAT_BMP);
        return picture;
    }
    PxImage png;
    if (!png.Load(entry.picturePath, PXIMAGE_FORMAT_PNG))
        return picture;
    const auto width = static_cast<LONG>(png.GetWidth()),
               height = static_cast<LONG>(png.GetHeight());
    if (!picture.Create(width, height, 24, PXIMAGE_FORMAT_PNG))
        return picture;
    picture.Clear(0xFF);
    picture.BlendFromEx(png, 0, 0, width, height, 0, 0, true);
    return picture;
}

} // namespace

CFrameDlg::CFrameDlg(CWnd* parent) : CAdvancedDlg(kTemplateId, parent) {}

void CFrameDlg::DoDataExchange(CDataExchange* dx) {
    CAdvancedDlg::DoDataExchange(dx);
    DDX_Control(dx, kListId, m_list);
}

BOOL CFrameDlg::OnInitDialog() {
    CAdvancedDlg::OnInitDialog();
    m_thumbnails.Create(kThumbnailWidth, kThumbnailHeight, ILC_COLOR32 | ILC_MASK, 0, 1);
    m_list.SetImageList(&m_thumbnails);
    FillFrameList();
    SetButtonTrioBitmaps();
    return TRUE;
}

int CFrameDlg::FillFrameList() {
    CFileFind finder;
    BOOL more = finder.FindFile(m_baseFolder + "\\frame\\*.*");
    m_list.InsertItem(m_list.GetCount(), kNoFrame);
    ++m_itemCount;
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots() || finder.IsDirectory() || !IsFrameDescription(finder.GetFileName()))
            continue;
        AddFrame(finder.GetFilePath());
    }
    m_list.SetCurSel(0);
    return 1;
}

void CFrameDlg::AddFrame(const CString& foundPath) {
    auto entry = std::make_unique<FrameListEntry>(ReadFrameListing(foundPath));
    const FrameListEntry& listed = *entry;
    const int index = m_list.InsertItem(m_list.GetCount(), listed.title);
    if (index < 0)
        return;
    m_list.SetItemPointer(index, MakeIconListRecord(std::move(entry)));
    ++m_itemCount;
    m_thumbnails.SetImageCount(static_cast<UINT>(m_itemCount));
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
    // "No Frame" gets its thumbnail together with the first frame.
    if (m_nextSlot == 0)
        AddNoFrameThumbnail();
    PxImage picture = LoadFramePicture(*m_list.GetItemRecord<FrameListEntry>(index));
    PutThumbnail(m_list, m_thumbnails, m_nextSlot++, picture);
}

void CFrameDlg::AddNoFrameThumbnail() {
    PxImage mark;
    if (mark.Create(kThumbnailWidth, kThumbnailHeight, 24, PXIMAGE_FORMAT_BMP)) {
        mark.Clear(0);
        HDC dc = ::GetDC(m_list.m_hWnd);
        mark.DrawString(dc, kNoFrameX, kNoFrameY, kNoFrameMark, PxImage::RgbToRgbQuad(kNoFrameInk),
                        "Tahoma", kNoFrameFontHeight, FW_NORMAL, 0, 0);
        ::ReleaseDC(m_list.m_hWnd, dc);
    }
    PutThumbnail(m_list, m_thumbnails, m_nextSlot++, mark);
}

void CFrameDlg::OnApply() {
    UpdateData(TRUE);
    const int selected = m_list.GetCurSel();
    if (selected == 0) {
        SaverSettings.framePresent = 0;
    } else if (const auto* entry = m_list.GetItemRecord<FrameListEntry>(selected)) {
        // A description that cannot be used leaves the theme as it is.
        if (!ReadFrameSettings(*entry, FrameSettings)) {
            CString text;
            text.Format(LoadSaverString(IDS_FRAME_UNUSABLE), entry->title.GetString());
            MessageBox(text, LoadSaverString(IDS_ERROR_CAPTION), MB_OK | MB_ICONERROR);
            return;
        }
        SaverSettings.framePresent = 1;
    }
    RewriteThemeAndClose();
}
