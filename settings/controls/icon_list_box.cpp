#include "settings/controls/icon_list_box.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kIconPadX = 6; // the icon column is this much wider than the icon
constexpr int kIconPadY = 4;
constexpr int kIconInsetX = 3;
constexpr int kIconInsetY = 2;
constexpr int kTextOverhang = 50; // the text may run this far past its measured rectangle
constexpr char kToolTipText[] = "ListBox Tool Tip";

constexpr UINT kTextFlags = DT_WORDBREAK | DT_EXPANDTABS;

COLORREF InverseOf(COLORREF colour) {
    return ~colour & 0xFFFFFF;
}

} // namespace

BEGIN_MESSAGE_MAP(CIconListBox, CListBox)
ON_WM_DESTROY()
ON_CONTROL_REFLECT_EX(LBN_DBLCLK, OnDblClk)
END_MESSAGE_MAP()

CIconListBox::~CIconListBox() {
    // The base's destruction of the window no longer reaches this class's map.
    if (m_hWnd && ::IsWindow(m_hWnd))
        ReleaseAll();
}

void CIconListBox::PreSubclassWindow() {
    MakeFonts();
    if (m_toolTip.Create(this)) {
        m_toolTip.Activate(TRUE);
        m_toolTip.AddTool(this, kToolTipText);
    }
    CListBox::PreSubclassWindow();
}

void CIconListBox::MakeFonts() {
    LOGFONTA font{};
    auto handle = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (!handle)
        handle = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::GetObjectA(handle, sizeof font, &font);
    m_font.DeleteObject();
    m_boldFont.DeleteObject();
    m_font.CreateFontIndirect(&font);
    font.lfWeight = FW_BOLD;
    m_boldFont.CreateFontIndirect(&font);
}

void CIconListBox::SetImageList(CImageList* list) {
    m_imageList = list;
    m_iconWidth = m_iconHeight = 0;
    if (list && list->GetSafeHandle())
        ::ImageList_GetIconSize(list->GetSafeHandle(), &m_iconWidth, &m_iconHeight);
    if (m_hWnd)
        Invalidate();
}

void CIconListBox::SetSelectionStyle(unsigned char style, BOOL redraw) {
    if (style > kTextOnly)
        return;
    m_selectionStyle = style;
    if (redraw && m_hWnd)
        Invalidate();
}

IconListItem* CIconListBox::ItemOf(int index) const {
    if (index < 0 || index >= GetCount())
        return nullptr;
    const DWORD_PTR data = GetItemData(index);
    if (data == static_cast<DWORD_PTR>(LB_ERR))
        return nullptr;
    return reinterpret_cast<IconListItem*>(data);
}

IconListItem* CIconListBox::EnsureItem(int index) {
    if (index < 0 || index >= GetCount())
        return nullptr;
    if (IconListItem* item = ItemOf(index))
        return item;
    auto* item = new IconListItem;
    SetItemData(index, reinterpret_cast<DWORD_PTR>(item));
    return item;
}

void CIconListBox::ReleaseItem(int index) {
    delete ItemOf(index);
    if (index >= 0 && index < GetCount())
        SetItemData(index, 0);
}

void CIconListBox::ReleaseAll() {
    for (int i = GetCount() - 1; i >= 0; --i)
        ReleaseItem(i);
}

int CIconListBox::InsertItem(int index, LPCTSTR text, int image, LPCTSTR toolTip) {
    const int at = InsertString(index, text);
    if (at == LB_ERR || at == LB_ERRSPACE)
        return at;
    SetItemRecord(at, 0, IconListRecord(nullptr, [](void*) {}), image, 0, kSetImage | kSetState,
                  toolTip);
    return at;
}

int CIconListBox::SetItemRecord(int index, int value, IconListRecord record, int image, UINT state,
                                UINT mask, LPCTSTR toolTip) {
    IconListItem* item = EnsureItem(index);
    if (!item)
        return -1;
    if (mask & kSetValue)
        item->value = value;
    if (mask & kSetRecord)
        item->record = std::move(record);
    if (mask & kSetImage)
        item->image = image;
    if (mask & kSetState)
        item->state = state;
    if (toolTip)
        item->toolTip.assign(toolTip, strnlen(toolTip, IconListItem::kToolTipSize - 1));
    return index;
}

int CIconListBox::SetItemPointer(int index, IconListRecord record) {
    return SetItemRecord(index, 0, std::move(record), 0, 0, kSetRecord);
}

void* CIconListBox::GetItemPointer(int index) const {
    const IconListItem* item = ItemOf(index);
    return item ? item->record.get() : nullptr;
}

int CIconListBox::SetItemImage(int index, int image, BOOL redraw) {
    const int result =
        SetItemRecord(index, 0, IconListRecord(nullptr, [](void*) {}), image, 0, kSetImage);
    if (result >= 0 && redraw) {
        RECT r{};
        if (GetItemRect(index, &r) != LB_ERR)
            InvalidateRect(&r);
    }
    return result;
}

int CIconListBox::GetItemImage(int index) const {
    const IconListItem* item = ItemOf(index);
    return item ? item->image : -1;
}

BOOL CIconListBox::IsItemEnabled(int index) const {
    const IconListItem* item = ItemOf(index);
    return !item || (item->state & IconListItem::kDisabled) == 0;
}

int CIconListBox::DeleteItem(int index) {
    ReleaseItem(index);
    return DeleteString(static_cast<UINT>(index));
}

int CIconListBox::DeleteItemAndImage(int index) {
    const int image = GetItemImage(index);
    const int left = DeleteItem(index);
    if (image < 0 || !m_imageList || !m_imageList->Remove(image))
        return left;
    for (int i = 0; i < GetCount(); ++i) {
        const int other = GetItemImage(i);
        if (other > image)
            SetItemImage(i, other - 1, FALSE);
    }
    Invalidate();
    return left;
}

void CIconListBox::ResetContent() {
    ReleaseAll();
    CListBox::ResetContent();
}

int CIconListBox::MoveItem(int from, int to, BOOL select) {
    IconListItem* old = ItemOf(from);
    if (from < 0 || from >= GetCount())
        return -1;
    CString text;
    GetText(from, text);
    IconListItem moved;
    if (old) {
        moved.value = old->value;
        moved.record = std::move(old->record);
        moved.image = old->image;
        moved.state = old->state;
    }
    ReleaseItem(from);
    DeleteString(static_cast<UINT>(from));
    const int at = InsertString(to, text);
    if (at == LB_ERR || at == LB_ERRSPACE)
        return -1;
    SetItemRecord(at, moved.value, std::move(moved.record), moved.image, moved.state,
                  kSetValue | kSetRecord | kSetImage | kSetState);
    if (select)
        SetCurSel(at);
    return at;
}

int CIconListBox::MoveUp(int index, BOOL select) {
    if (index > 0 && index < GetCount())
        return MoveItem(index, index - 1, select);
    return index;
}

int CIconListBox::MoveDown(int index, BOOL select) {
    if (index >= 0 && index < GetCount() - 1)
        return MoveItem(index, index + 1, select);
    return index;
}

int CIconListBox::IconPartWidth() const {
    return m_imageList ? m_iconWidth + kIconPadX : 0;
}

void CIconListBox::MeasureItem(LPMEASUREITEMSTRUCT measure) {
    if (!measure)
        return;
    CRect client;
    GetClientRect(&client);
    const int width = client.Width() - ::GetSystemMetrics(SM_CXHSCROLL) - IconPartWidth();
    CString text;
    GetText(static_cast<int>(measure->itemID), text);
    RECT calc{0, 0, std::max(1, width), 0};
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, m_font.GetSafeHandle() ? m_font.GetSafeHandle()
                                                            : ::GetStockObject(DEFAULT_GUI_FONT));
    ::DrawTextA(dc, text, text.GetLength(), &calc, DT_CALCRECT | kTextFlags);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    const int textHeight = calc.bottom - calc.top;
    const int height = m_imageList ? std::max(textHeight, m_iconHeight) : textHeight;
    measure->itemHeight = static_cast<UINT>(height + kIconPadY);
    measure->itemWidth = static_cast<UINT>(std::max(0, width));
}

void CIconListBox::DrawItem(LPDRAWITEMSTRUCT draw) {
    if (!draw || static_cast<int>(draw->itemID) < 0)
        return;
    const int index = static_cast<int>(draw->itemID);
    const IconListItem* item = ItemOf(index);
    if (!item)
        return;
    CDC* dc = CDC::FromHandle(draw->hDC);
    const RECT& whole = draw->rcItem;
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    const bool focused = (draw->itemState & ODS_FOCUS) != 0;
    const bool disabled =
        (draw->itemState & ODS_DISABLED) || (item->state & IconListItem::kDisabled);

    RECT icon{whole.left, whole.top, whole.left, whole.top};
    if (m_imageList)
        icon = RECT{whole.left, whole.top, whole.left + m_iconWidth + kIconPadX,
                    whole.top + m_iconHeight + kIconPadY};
    const RECT textArea{icon.right, whole.top, whole.right, whole.bottom};

    CString text;
    GetText(index, text);
    CFont* font = m_font.GetSafeHandle() ? &m_font : nullptr;
    CFont* oldFont = font ? dc->SelectObject(font) : nullptr;
    RECT textRect = textArea;
    ::DrawTextA(*dc, text, text.GetLength(), &textRect, DT_CALCRECT | kTextFlags | item->drawFlags);
    const int freeHeight = (whole.bottom - whole.top) - (textRect.bottom - textRect.top);
    ::OffsetRect(&textRect, 0, freeHeight / 2);

    if (m_imageList) {
        const bool highlighted = selected && !disabled && m_selectionStyle == kWholeItem;
        DrawIconBackground(dc, RECT{icon.left, whole.top, icon.right, whole.bottom},
                           ::GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    }

    COLORREF ink = ::GetSysColor(COLOR_WINDOWTEXT);
    COLORREF paper = ::GetSysColor(COLOR_WINDOW);
    if (disabled) {
        ink = ::GetSysColor(COLOR_GRAYTEXT);
    } else if (selected) {
        ink = InverseOf(::GetSysColor(COLOR_WINDOWTEXT));
        paper = ::GetSysColor(COLOR_HIGHLIGHT);
    }
    DrawItemBackground(dc, m_selectionStyle == kTextOnly ? textRect : textArea, paper);

    if (m_imageList)
        DrawIcon(dc, item->image, POINT{whole.left + kIconInsetX, whole.top + kIconInsetY},
                 disabled);

    textRect.right += kTextOverhang;
    dc->SetTextColor(ink);
    dc->SetBkMode(TRANSPARENT);
    const UINT flags = kTextFlags | item->drawFlags;
    const int length = text.GetLength();
    const int lineBreak = length > 1 ? text.Find('\n', 1) : -1;
    if (lineBreak < 0) {
        ::DrawTextA(*dc, text, length, &textRect, flags);
    } else {
        // The character after the line break is skipped with it: the callers' texts are
        // written for that. Never past the text's end.
        const int rest = std::min(lineBreak + 2, length);
        CFont* bold = m_boldFont.GetSafeHandle() ? &m_boldFont : nullptr;
        if (bold)
            dc->SelectObject(bold);
        ::DrawTextA(*dc, text, lineBreak, &textRect, flags);
        if (font)
            dc->SelectObject(font);
        const CString below = "\n" + text.Mid(rest);
        ::DrawTextA(*dc, below, below.GetLength(), &textRect, flags);
    }
    if (oldFont)
        dc->SelectObject(oldFont);

    if (focused && !disabled) {
        RECT frame = m_selectionStyle == kWholeItem  ? whole
                     : m_selectionStyle == kTextArea ? textArea
                                                     : textRect;
        if (m_selectionStyle == kTextOnly)
            frame.right -= kTextOverhang;
        ::DrawFocusRect(*dc, &frame);
    }
}

void CIconListBox::DrawItemBackground(CDC* dc, const RECT& area, COLORREF colour) {
    dc->SetBkColor(colour);
    ::ExtTextOutA(*dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

void CIconListBox::DrawIconBackground(CDC* dc, const RECT& column, COLORREF colour) {
    dc->SetBkColor(colour);
    ::ExtTextOutA(*dc, 0, 0, ETO_OPAQUE, &column, nullptr, 0, nullptr);
}

void CIconListBox::DrawIcon(CDC* dc, int image, POINT at, bool disabled) {
    if (!m_imageList || image < 0 || image >= m_imageList->GetImageCount())
        return;
    HICON icon = m_imageList->ExtractIcon(image);
    if (!icon)
        return;
    ::DrawStateA(*dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, at.x, at.y, m_iconWidth,
                 m_iconHeight, DST_ICON | (disabled ? DSS_DISABLED : 0));
    ::DestroyIcon(icon);
}

void CIconListBox::OnDestroy() {
    ReleaseAll();
    Default();
}

// A double click on a disabled item is kept from the parent.
BOOL CIconListBox::OnDblClk() {
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    BOOL outside = TRUE;
    const int index = static_cast<int>(ItemFromPoint(cursor, outside));
    return !outside && !IsItemEnabled(index);
}
