#include "tools/skingallery/gallery_dialog.h"

#include "tools/skingallery/gallery_ids.h"
#include "tools/skingallery/gallery_items.h"
#include "tools/skingallery/gallery_items_ids.h"
#include "tools/skingallery/gallery_scroll_anim.h"

#include <cstdio>
#include <string>

namespace gallery {
namespace {

std::string text(HINSTANCE instance, int id) {
    char buffer[128] = {};
    LoadStringA(instance, static_cast<UINT>(id), buffer, sizeof buffer);
    return buffer;
}

std::string numbered(HINSTANCE instance, int format_id, int n) {
    char buffer[128] = {};
    std::snprintf(buffer, sizeof buffer, text(instance, format_id).c_str(), n);
    return buffer;
}

LRESULT send(HWND dialog, int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(dialog, id, msg, wParam, lParam);
}

void fill_buttons(HWND dialog) {
    CheckDlgButton(dialog, kChecked, BST_CHECKED);
    CheckDlgButton(dialog, kThirdState, BST_INDETERMINATE);
    CheckDlgButton(dialog, kCheckDisabled, BST_CHECKED);
    CheckRadioButton(dialog, kRadioOne, kRadioThree, kRadioTwo);
}

HTREEITEM add_tree_item(HWND tree, HTREEITEM parent, const std::string& label) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(label.c_str());
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void fill_tree(HINSTANCE instance, HWND tree) {
    HTREEITEM colours = add_tree_item(tree, TVI_ROOT, text(instance, kTreeColours));
    add_tree_item(tree, colours, text(instance, kTreeRed));
    HTREEITEM green = add_tree_item(tree, colours, text(instance, kTreeGreen));
    add_tree_item(tree, colours, text(instance, kTreeBlue));
    HTREEITEM shapes = add_tree_item(tree, TVI_ROOT, text(instance, kTreeShapes));
    add_tree_item(tree, shapes, text(instance, kTreeCircle));
    add_tree_item(tree, shapes, text(instance, kTreeSquare));
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(colours));
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(green));
}

void fill_list_view(HINSTANCE instance, HWND list) {
    const int columns[] = {kColumnName, kColumnSize, kColumnKind};
    const int widths[] = {90, 50, 70};
    for (int c = 0; c < 3; ++c) {
        const std::string label = text(instance, columns[c]);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = c == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = widths[c];
        column.pszText = const_cast<char*>(label.c_str());
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    const std::string kind = text(instance, kRowKind);
    for (int row = 0; row < 12; ++row) {
        const std::string name = numbered(instance, kRowFormat, row + 1);
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(name.c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        const std::string size = std::to_string((row + 3) * 17) + " KB";
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(size.c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 2;
        item.pszText = const_cast<char*>(kind.c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    LVITEMA state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
}

void fill_lists(HINSTANCE instance, HWND dialog) {
    for (int i = 1; i <= 30; ++i) {
        const std::string item = numbered(instance, kListItemFormat, i);
        send(dialog, kListBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    send(dialog, kListBox, LB_SETCURSEL, 2);
    fill_tree(instance, GetDlgItem(dialog, kTree));
    fill_list_view(instance, GetDlgItem(dialog, kListView));
    send(dialog, kIpAddress, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 0, 1));
    for (int id : {kDropList, kDropDown, kSimpleCombo, kComboDisabled}) {
        for (int i = 0; i < 3; ++i) {
            const std::string item = text(instance, kComboFirst + i);
            send(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        send(dialog, id, CB_SETCURSEL, id == kSimpleCombo ? 1 : 0);
    }
    SetDlgItemTextA(dialog, kRichEdit, text(instance, kRichText).c_str());
}

void fill_ranges(HWND dialog) {
    send(dialog, kTrackbar, TBM_SETTICFREQ, 10);
    send(dialog, kTrackbar, TBM_SETPOS, TRUE, 30);
    send(dialog, kTrackbarBoth, TBM_SETTICFREQ, 20);
    send(dialog, kTrackbarBoth, TBM_SETSEL, TRUE, MAKELPARAM(40, 80));
    send(dialog, kTrackbarBoth, TBM_SETPOS, TRUE, 70);
    send(dialog, kTrackbarVertical, TBM_SETTICFREQ, 25);
    send(dialog, kTrackbarVertical, TBM_SETPOS, TRUE, 50);
    send(dialog, kTrackbarDisabled, TBM_SETTICFREQ, 10);
    send(dialog, kTrackbarDisabled, TBM_SETPOS, TRUE, 20);
    send(dialog, kSpin, UDM_SETRANGE32, 0, 100);
    send(dialog, kSpin, UDM_SETPOS32, 0, 42);
    send(dialog, kSpinHorizontal, UDM_SETRANGE32, 0, 10);
    send(dialog, kProgress, PBM_SETPOS, 40);
    send(dialog, kProgressSmooth, PBM_SETPOS, 75);
    send(dialog, kProgressVertical, PBM_SETPOS, 60);
    const int positions[] = {30, 50, 60};
    const int bars[] = {kScrollBar, kScrollBarDisabled, kScrollBarVertical};
    for (int i = 0; i < 3; ++i) {
        SCROLLINFO info{sizeof(info), SIF_ALL, 0, 100, 10, positions[i], 0};
        SetScrollInfo(GetDlgItem(dialog, bars[i]), SB_CTL, &info, TRUE);
    }
}

BOOL on_init(HWND dialog) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    fill_buttons(dialog);
    fill_lists(instance, dialog);
    fill_ranges(dialog);
    // The first edit starts with the focus, so that the gallery shows a focused control.
    SetFocus(GetDlgItem(dialog, kEdit));
    return FALSE;
}

// The scroll-bar controls only tell; the gallery moves them as a program does.
void on_scroll(HWND bar, WORD code) {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(bar, SB_CTL, &info))
        return;
    int position = info.nPos;
    switch (code) {
    case SB_LINEUP:
        --position;
        break;
    case SB_LINEDOWN:
        ++position;
        break;
    case SB_PAGEUP:
        position -= static_cast<int>(info.nPage);
        break;
    case SB_PAGEDOWN:
        position += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = info.nMin;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return;
    }
    SetScrollPos(bar, SB_CTL, position, TRUE);
}

bool is_scroll_bar(HWND hwnd) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return std::string(name) == WC_SCROLLBARA;
}

INT_PTR CALLBACK gallery_proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        return on_init(dialog);
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (auto bar = reinterpret_cast<HWND>(lParam); bar && is_scroll_bar(bar))
            on_scroll(bar, LOWORD(wParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == kItemsButton) {
            RunItemsWindow(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)),
                           dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == kScrollAnimButton) {
            RunScrollAnimWindow(
                reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR RunGallery(HINSTANCE instance, HWND owner) {
    return DialogBoxParamA(instance, MAKEINTRESOURCE(kGalleryDialog), owner, gallery_proc, 0);
}

} // namespace gallery
