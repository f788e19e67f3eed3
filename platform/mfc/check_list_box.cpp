#include "mfc/check_list_box.h"

#include <algorithm>

namespace {

constexpr int kBoxSize = 13;
constexpr int kBoxMargin = 1;  // between the item's left edge and the box, and around it
constexpr int kTextIndent = 2; // between the highlight's edge and the text

// The check box of an item drawn in `item`: at its left, centred vertically.
RECT box_in(const RECT& item) {
    const int top = (item.top + item.bottom - kBoxSize) / 2;
    return RECT{item.left + kBoxMargin, top, item.left + kBoxMargin + kBoxSize, top + kBoxSize};
}

// Everything right of the box's column: the text and its highlight.
RECT text_area_of(const RECT& item) {
    return RECT{box_in(item).right + kBoxMargin, item.top, item.right, item.bottom};
}

bool automatic(UINT style) {
    return style == BS_AUTOCHECKBOX || style == BS_AUTO3STATE;
}

} // namespace

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

void CCheckListBox::SetCheckStyle(UINT style) {
    if (style == BS_CHECKBOX || style == BS_AUTOCHECKBOX || style == BS_3STATE ||
        style == BS_AUTO3STATE)
        m_checkStyle = style;
}

void CCheckListBox::SetCheck(int index, int check) {
    if (check < 0 || check > 2 || index < 0 || index >= GetCount())
        return;
    SetItemData(index, static_cast<DWORD_PTR>(check));
    RECT item{};
    if (GetItemRect(index, &item) != LB_ERR)
        InvalidateRect(&item);
}

int CCheckListBox::GetCheck(int index) const {
    if (index < 0 || index >= GetCount())
        return -1;
    return static_cast<int>(GetItemData(index));
}

int CCheckListBox::CheckFromPoint(CPoint clientPoint, BOOL& inCheck) const {
    inCheck = FALSE;
    BOOL outside = TRUE;
    const int index = static_cast<int>(ItemFromPoint(clientPoint, outside));
    if (outside || index < 0 || index >= GetCount())
        return -1;
    RECT item{};
    if (GetItemRect(index, &item) == LB_ERR || !PtInRect(&item, clientPoint))
        return -1;
    inCheck = clientPoint.x < text_area_of(item).left;
    return index;
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT item) {
    if (!item || static_cast<int>(item->itemID) < 0 || static_cast<int>(item->itemID) >= GetCount())
        return;
    HDC dc = item->hDC;
    const int check = GetCheck(static_cast<int>(item->itemID));
    const bool disabled = (item->itemState & ODS_DISABLED) || !IsWindowEnabled();

    RECT box = box_in(item->rcItem);
    UINT state = check == 2 ? DFCS_BUTTON3STATE : DFCS_BUTTONCHECK;
    if (check != 0)
        state |= DFCS_CHECKED;
    if (disabled)
        state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);

    const RECT area = text_area_of(item->rcItem);
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    if (selected)
        FillRect(dc, &area, GetSysColorBrush(COLOR_HIGHLIGHT));
    COLORREF colour = GetTextColor(dc);
    if (selected)
        colour = GetSysColor(COLOR_HIGHLIGHTTEXT);
    if (disabled)
        colour = GetSysColor(COLOR_GRAYTEXT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = nullptr;
    if (auto font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)))
        oldFont = SelectObject(dc, font);

    CString text;
    GetText(static_cast<int>(item->itemID), text);
    RECT textRect = area;
    textRect.left += kTextIndent;
    DrawTextA(dc, text, text.GetLength(), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);

    if (oldFont)
        SelectObject(dc, oldFont);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &area);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT item) {
    if (item)
        item->itemHeight = static_cast<UINT>(ItemHeightForFont());
}

int CCheckListBox::ItemHeightForFont() const {
    HDC dc = ::GetDC(m_hWnd);
    auto font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return std::max(static_cast<int>(metrics.tmHeight), kBoxSize + 2 * kBoxMargin);
}

void CCheckListBox::FitItemHeight() {
    if ((GetStyle() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == LBS_OWNERDRAWFIXED)
        SetItemHeight(0, static_cast<UINT>(ItemHeightForFont()));
}

void CCheckListBox::PreSubclassWindow() {
    CListBox::PreSubclassWindow();
    FitItemHeight();
}

LRESULT CCheckListBox::OnSetFont(WPARAM, LPARAM) {
    const LRESULT result = Default();
    FitItemHeight();
    return result;
}

void CCheckListBox::ToggleByUser(int index) {
    if (!automatic(m_checkStyle))
        return;
    const int old = GetCheck(index);
    if (old < 0)
        return;
    int check = old == 0 ? 1 : 0;
    if (m_checkStyle == BS_AUTO3STATE)
        check = (old + 1) % 3;
    SetCheck(index, check);
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                            reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::ClickAt(CPoint point) {
    BOOL inCheck = FALSE;
    const int index = CheckFromPoint(point, inCheck);
    if (index >= 0 && inCheck)
        ToggleByUser(index);
}

void CCheckListBox::OnLButtonDown(UINT, CPoint point) {
    ClickAt(point);
    Default();
}

// The second click of a quick pair is a click in the box all the same.
void CCheckListBox::OnLButtonDblClk(UINT, CPoint point) {
    ClickAt(point);
    Default();
}

void CCheckListBox::OnKeyDown(UINT key, UINT, UINT) {
    if (key == VK_SPACE && GetCurSel() >= 0)
        ToggleByUser(GetCurSel());
    Default();
}
