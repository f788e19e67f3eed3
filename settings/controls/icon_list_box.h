// CIconListBox: an owner-drawn list box of variable height whose items show an image of an
// image list at their left and a text of several lines at their right, the first line in
// bold. Each item carries a record with the caller's value, an owned user record, its image
// and its state; the records go with their items.
#pragma once

#include "mfc/mfc.h"

#include <memory>
#include <string>

// A user record of any type, owned by its item and released with it.
using IconListRecord = std::unique_ptr<void, void (*)(void*)>;

template <class T> IconListRecord MakeIconListRecord(std::unique_ptr<T> record) {
    return IconListRecord(record.release(), [](void* p) { delete static_cast<T*>(p); });
}

struct IconListItem {
    static constexpr std::size_t kToolTipSize = 50;

    int value = 0;
    IconListRecord record{nullptr, [](void*) {}};
    int image = -1;      // index in the image list; -1, or an index without image, draws none
    UINT drawFlags = 0;  // further DrawText flags
    UINT state = 0;      // kDisabled
    std::string toolTip; // at most kToolTipSize - 1 characters

    static constexpr UINT kDisabled = 0x0001;
};

class CIconListBox : public CListBox {
public:
    // Which fields SetItemRecord sets.
    enum : UINT { kSetValue = 0x1, kSetRecord = 0x2, kSetImage = 0x4, kSetState = 0x8 };
    // 0: the selection colour covers the text area, the focus rectangle the whole item; 1: both
    // the text area; 2: only the text's own rectangle.
    enum SelectionStyle : unsigned char { kWholeItem = 0, kTextArea = 1, kTextOnly = 2 };

    CIconListBox() = default;
    ~CIconListBox() override;

    void SetImageList(CImageList* list);
    CImageList* GetImageList() const { return m_imageList; }
    void SetSelectionStyle(unsigned char style, BOOL redraw = TRUE);

    // The new index, or LB_ERR / LB_ERRSPACE.
    int InsertItem(int index, LPCTSTR text, int image = -1, LPCTSTR toolTip = nullptr);
    // Sets the fields that `mask` names (the tool tip whenever one is given); -1 for an index
    // outside the list.
    int SetItemRecord(int index, int value, IconListRecord record, int image, UINT state, UINT mask,
                      LPCTSTR toolTip = nullptr);
    int SetItemPointer(int index, IconListRecord record);
    // The item's user record, null when the item or its record does not exist.
    void* GetItemPointer(int index) const;
    template <class T> T* GetItemRecord(int index) const {
        return static_cast<T*>(GetItemPointer(index));
    }
    int SetItemImage(int index, int image, BOOL redraw = TRUE);
    // -1 for an item without a record or outside the list.
    int GetItemImage(int index) const;
    BOOL IsItemEnabled(int index) const;
    // Releases the item's records, then deletes it.
    int DeleteItem(int index);
    // Deletes the item and removes its image from the image list; the items whose images came
    // after it keep showing their own.
    int DeleteItemAndImage(int index);
    // Releases the records of every item, then empties the list.
    void ResetContent();
    // Moves an item with its text, value, record, image and state; the new index, -1 when
    // `from` is outside the list.
    int MoveItem(int from, int to, BOOL select = TRUE);
    int MoveUp(int index, BOOL select = TRUE);
    int MoveDown(int index, BOOL select = TRUE);

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override;

protected:
    void PreSubclassWindow() override;
    virtual void DrawItemBackground(CDC* dc, const RECT& area, COLORREF colour);
    virtual void DrawIconBackground(CDC* dc, const RECT& column, COLORREF colour);
    virtual void DrawIcon(CDC* dc, int image, POINT at, bool disabled);

    afx_msg void OnDestroy();
    afx_msg BOOL OnDblClk();
    DECLARE_MESSAGE_MAP()

private:
    IconListItem* ItemOf(int index) const;
    // The item's record, made when it has none yet.
    IconListItem* EnsureItem(int index);
    void ReleaseItem(int index);
    void ReleaseAll();
    int IconPartWidth() const;
    void MakeFonts();

    unsigned char m_selectionStyle = kWholeItem;
    CImageList* m_imageList = nullptr;
    int m_iconWidth = 0;
    int m_iconHeight = 0;
    CFont m_font;
    CFont m_boldFont;
    CToolTipCtrl m_toolTip;
};
