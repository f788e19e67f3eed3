// The media dialog: the theme's pictures with their thumbnails and captions. The user adds
// pictures from disk, deletes, moves and clears them, edits each caption and exports a picture
// as BMP or JPEG; Apply makes the list the theme's pictures and rewrites the theme file.
#pragma once

#include "settings/controls/icon_list_box.h"
#include "settings/dialogs/advanced_dlg.h"

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

    // The pictures the theme has now: those of the last Apply, else the theme file's own.
    void LoadThemeImages();
    // Lists the picture when it can be decoded; `caption` null gives it its label.
    bool AddImageFile(const CString& path, const CString* caption = nullptr);
    void AddListItem(int slot, const CString& name, const CString& folder, const CString& caption);
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
};
