// The media dialog: the theme's pictures with their thumbnails and captions. The user adds
// pictures from disk, deletes, moves and clears them, edits each caption and exports a picture
// as BMP or JPEG; Apply makes the list the theme's pictures and rewrites the theme file.
#pragma once

#include "saver/media_list.h"
#include "settings/controls/icon_list_box.h"
#include "settings/dialogs/advanced_dlg.h"
#include "settings/dialogs/theme_pictures.h"

class CMediaDlg : public CAdvancedDlg {
public:
    static constexpr UINT kTemplateId = 154;
    enum : int {
        kListId = 1010,
        kCaptionId = 1016,
        kAddId = 1011,
        kDeleteId = 1012,
        kUpId = 1017,
        kDownId = 1019,
        kClearId = 1018,
        kExportId = 1020,
    };
    static constexpr int kCaptionLimit = 259; // the caption field holds 260 bytes with its NUL
    static constexpr int kShownFolderLimit = 34;
    static constexpr char kAddFilter[] =
        "All format(*.bmp,*.jpg,*.jpeg,*.j2k,*.png,*.gif,*.tif,*.pcx,*.wmf)|"
        "*.bmp;*.jpg;*.jpeg;*.j2k;*.png;*.gif;*.tif;*.pcx;*.wmf|"
        "Window Bitmap File (*.bmp) |*.bmp|JPEG Image File (*.jpg) |*.jpg|"
        "JPEG Image File (*.jpeg) |*.jpeg|JPEG2000 Image File (*.j2k)|*.j2k|"
        "PaintShop Pro Image File (*.png)|*.png|GIF Image File (*.gif)|*.gif|"
        "TIFF Image File (*.tif)|*.tif|PCX Image File (*.pcx)|*.pcx|"
        "WMF Image File (*.wmf)|*.wmf|All files(*.*)|*.*|";
    static constexpr char kExportFilter[] =
        "Window Bitmap File (*.bmp) |*.bmp|JPEG Image File (*.jpg) |*.jpg|";

    explicit CMediaDlg(CWnd* parent = nullptr);
    ~CMediaDlg() override = default;

    // "<title> [ <width> X <height> ]", the caption a picture starts with.
    static CString LabelOf(const CString& title, DWORD width, DWORD height);
    // The folder as the list shows it: cut to 31 characters and "..." when it is longer than
    // 34 (never inside a character).
    static CString ShownFolder(const CString& folder);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnApply() override;

    // The pictures the theme has now: those of the last Apply, else the theme file's own. Each
    // is listed, one that cannot be decoded under a placeholder, so that Apply keeps it.
    void LoadThemeImages();
    // Lists a picture file from disk under its label when it can be decoded.
    bool AddImageFile(const CString& path);
    // Lists a picture of the theme with its caption.
    void AddThemePicture(const MediaListEntry& entry);
    void AddListItem(int slot, const MediaListEntry& entry);
    void SetCaption(const CString& text);

    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    afx_msg void OnClear();
    afx_msg void OnExport();
    afx_msg void OnSelChange();
    afx_msg void OnCaptionSetFocus();
    afx_msg void OnCaptionKillFocus();
    DECLARE_MESSAGE_MAP()

private:
    // The selected item, -1 when the list is empty or nothing is selected.
    int Selected() const;
    CString CaptionEditText() const;
    void ShowSelectedCaption();
    // The entry's picture: from the theme file when the theme holds it, else from its file.
    bool LoadPicture(const MediaListEntry& entry, PxImage& picture);
    // Lists the entry with the thumbnail of `picture`, a placeholder when it is not valid.
    void ListPicture(const MediaListEntry& entry, PxImage& picture);

    int m_nextSlot = 0;
    int m_itemCount = 0;
    CImageList m_thumbnails;
    CImageButton m_export;
    CImageButton m_up;
    CImageButton m_down;
    CImageButton m_clear;
    CImageButton m_delete;
    CImageButton m_add;
    CIconListBox m_list;
    CString m_caption;
    ThemePictures m_themePictures;
};
