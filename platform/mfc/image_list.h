// CImageList: owns an image list and adds, replaces and draws its images.
#pragma once

#include "mfc/dc.h"

class CImageList {
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    virtual ~CImageList() { DeleteImageList(); }

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    BOOL DeleteImageList();
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }

    int GetImageCount() const { return ::ImageList_GetImageCount(m_hImageList); }
    BOOL SetImageCount(UINT count) { return ::ImageList_SetImageCount(m_hImageList, count); }
    int Add(CBitmap* image, CBitmap* mask);
    int Add(HICON icon) { return ::ImageList_AddIcon(m_hImageList, icon); }
    BOOL Replace(int index, CBitmap* image, CBitmap* mask);
    int Replace(int index, HICON icon) {
        return ::ImageList_ReplaceIcon(m_hImageList, index, icon);
    }
    BOOL Remove(int index) { return ::ImageList_Remove(m_hImageList, index); }
    // A new icon of the image: the caller destroys it.
    HICON ExtractIcon(int index) const { return ::ImageList_GetIcon(m_hImageList, index, 0); }
    BOOL Draw(CDC* dc, int index, POINT at, UINT style) const {
        return ::ImageList_Draw(m_hImageList, index, dc->GetSafeHdc(), at.x, at.y, style);
    }

    HIMAGELIST m_hImageList = nullptr;
};
