// The frame dialog: "No Frame" and every frame that a description (".ini") in the frame folder
// names, each with a thumbnail of its picture. Apply stores the chosen description in the
// theme's frame settings and rewrites the theme file, which then carries the frame's picture.
#pragma once

#include "settings/controls/icon_list_box.h"
#include "settings/dialogs/advanced_dlg.h"
#include "settings/dialogs/frame_description.h"

class CFrameDlg : public CAdvancedDlg {
public:
    static constexpr UINT kTemplateId = 152;
    enum : int { kListId = 1076 };

    explicit CFrameDlg(CWnd* parent = nullptr);
    ~CFrameDlg() override = default;

    // The folder whose "frame" folder holds the descriptions; set before DoModal.
    void SetBaseFolder(const CString& folder) { m_baseFolder = folder; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnApply() override;
    int FillFrameList();

private:
    void AddFrame(const CString& foundPath);
    void AddNoFrameThumbnail();

    int m_itemCount = 0;
    int m_nextSlot = 0;
    CImageList m_thumbnails;
    CString m_baseFolder;
    CIconListBox m_list;
};
