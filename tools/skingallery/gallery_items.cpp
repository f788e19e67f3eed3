#include "tools/skingallery/gallery_items.h"

#include "tools/skingallery/gallery_items_ids.h"

#include <string>

namespace gallery {
namespace {

// The pages' controls, by page.
constexpr int kPages[][3] = {
    {kPageLabel, kPageApply, kPageCheck}, {kPageNameLabel, kPageName, 0}, {kPageNotes, 0, 0}};

std::string text(HWND dialog, int id) {
    char buffer[128] = {};
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    LoadStringA(instance, static_cast<UINT>(id), buffer, sizeof buffer);
    return buffer;
}

LRESULT send(HWND dialog, int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(dialog, id, msg, wParam, lParam);
}

// Dialog units to pixels, as the dialog lays out its template.
RECT dialog_rect(HWND dialog, int x, int y, int cx, int cy) {
    RECT r{x, y, x + cx, y + cy};
    MapDialogRect(dialog, &r);
    return r;
}

void show_page(HWND dialog) {
    const auto selected = static_cast<int>(send(dialog, kItemsTab, TCM_GETCURSEL));
    for (int page = 0; page < 3; ++page)
        for (int id : kPages[page])
            if (id)
                ShowWindow(GetDlgItem(dialog, id), page == selected ? SW_SHOW : SW_HIDE);
}

void fill_tab(HWND dialog) {
    const int labels[] = {kTabGeneral, kTabDetails, kTabNotes};
    for (int i = 0; i < 3; ++i) {
        const std::string label = text(dialog, labels[i]);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(label.c_str());
        send(dialog, kItemsTab, TCM_INSERTITEMA, static_cast<WPARAM>(i),
             reinterpret_cast<LPARAM>(&item));
    }
    // The third tab shows the hovered look.
    send(dialog, kItemsTab, TCM_HIGHLIGHTITEM, 2, TRUE);
    CheckDlgButton(dialog, kPageCheck, BST_CHECKED);
    show_page(dialog);
}

void fill_header(HWND dialog) {
    const int titles[] = {kHeaderName, kHeaderSize, kHeaderKind};
    const int formats[] = {HDF_LEFT, HDF_RIGHT, HDF_CENTER};
    const int widths[] = {200, 80, 100}; // dialog units across, for the three columns
    for (int i = 0; i < 3; ++i) {
        const std::string title = text(dialog, titles[i]);
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = const_cast<char*>(title.c_str());
        item.cxy = dialog_rect(dialog, 0, 0, widths[i] / 2, 0).right;
        item.fmt = formats[i] | HDF_STRING;
        send(dialog, kItemsHeader, HDM_INSERTITEMA, static_cast<WPARAM>(i),
             reinterpret_cast<LPARAM>(&item));
    }
}

void fill_status(HWND dialog) {
    const int rights[] = {dialog_rect(dialog, 0, 0, 110, 0).right,
                          dialog_rect(dialog, 0, 0, 210, 0).right, -1};
    send(dialog, kItemsStatus, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rights));
    const int texts[] = {kStatusReady, kStatusCount, kStatusSkin};
    for (int i = 0; i < 3; ++i) {
        const std::string part = text(dialog, texts[i]);
        send(dialog, kItemsStatus, SB_SETTEXTA, static_cast<WPARAM>(i),
             reinterpret_cast<LPARAM>(part.c_str()));
    }
}

// Six little pictures for the toolbar: a coloured square framed in a darker line.
HIMAGELIST make_tool_images() {
    const COLORREF colours[] = {RGB(240, 240, 250), RGB(230, 180, 60), RGB(60, 110, 200),
                                RGB(200, 60, 60),   RGB(40, 40, 40),   RGB(60, 160, 90)};
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 6, 0);
    HDC screen = GetDC(nullptr);
    for (COLORREF colour : colours) {
        HBITMAP picture = CreateCompatibleBitmap(screen, 16, 16);
        HBITMAP mask = CreateCompatibleBitmap(screen, 16, 16);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, mask);
        RECT all{0, 0, 16, 16}, inner{2, 2, 14, 14};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        FillRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SelectObject(dc, picture);
        HBRUSH ink = CreateSolidBrush(colour);
        FillRect(dc, &inner, ink);
        FrameRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        DeleteObject(ink);
        SelectObject(dc, old);
        DeleteDC(dc);
        ImageList_Add(list, picture, mask);
        DeleteObject(picture);
        DeleteObject(mask);
    }
    ReleaseDC(nullptr, screen);
    return list;
}

HWND make_child(HWND parent, const char* class_name, DWORD style, int id, HFONT font) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    HWND child =
        CreateWindowExA(0, class_name, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (child)
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// The rebar along the window's top, holding a flat toolbar in a band with a title.
void make_bars(HWND dialog, HIMAGELIST images) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    HWND rebar = make_child(dialog, REBARCLASSNAMEA, WS_CLIPCHILDREN, kItemsRebar, font);
    HWND toolbar = make_child(rebar, TOOLBARCLASSNAMEA,
                              TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE, kItemsToolbar, font);
    if (!rebar || !toolbar)
        return;
    SendMessageA(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    const TBBUTTON buttons[] = {
        {0, kToolNew, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {1, kToolOpen, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {2, kToolSave, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, 0, TBSTYLE_SEP, {}, 0, 0},
        {3, kToolCut, 0, TBSTYLE_BUTTON, {}, 0, 0}, // disabled
        {4, kToolBold, TBSTATE_ENABLED | TBSTATE_CHECKED, TBSTYLE_CHECK, {}, 0, 0},
        {5, kToolMore, TBSTATE_ENABLED, TBSTYLE_DROPDOWN, {}, 0, 0},
    };
    SendMessageA(toolbar, TB_ADDBUTTONSA, 7, reinterpret_cast<LPARAM>(buttons));
    RECT last{};
    SendMessageA(toolbar, TB_GETITEMRECT, 6, reinterpret_cast<LPARAM>(&last));
    const std::string title = text(dialog, kBandTools);
    REBARBANDINFOA band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE;
    band.fStyle = RBBS_CHILDEDGE;
    band.lpText = const_cast<char*>(title.c_str());
    band.hwndChild = toolbar;
    band.cxMinChild = static_cast<UINT>(last.right);
    band.cyMinChild = static_cast<UINT>(last.bottom - last.top);
    band.cx = static_cast<UINT>(dialog_rect(dialog, 0, 0, 200, 0).right);
    SendMessageA(rebar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

INT_PTR CALLBACK items_proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        make_bars(dialog, reinterpret_cast<HIMAGELIST>(lParam));
        fill_tab(dialog);
        fill_header(dialog);
        fill_status(dialog);
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->idFrom == kItemsTab && header->code == TCN_SELCHANGE)
            show_page(dialog);
        return FALSE;
    }
    case WM_COMMAND:
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

INT_PTR RunItemsWindow(HINSTANCE instance, HWND owner) {
    // The toolbar's pictures live as long as the window.
    HIMAGELIST images = make_tool_images();
    const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCE(kItemsDialog), owner,
                                           items_proc, reinterpret_cast<LPARAM>(images));
    ImageList_Destroy(images);
    return result;
}

} // namespace gallery
