#include "skin/skinners/skin_bordered_wnd.h"

#include "skin/core/glazework_state.h"
#include "skin/core/scroll_bar_skin.h"
#include "skin/core/skin_blit.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/core/skin_os_class.h"
#include "skin/skinners/drawn_scroll_bars.h"
#include "skin/skinners/skin_bar_painter.h"
#include "skin/skinners/skin_messages.h"

namespace {

constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME;

int ScrollPosition(HWND hwnd, int bar) {
    SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

bool IsMouseOrScroll(UINT message) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return true;
    default:
        return false;
    }
}

} // namespace

SkinBorderedWnd::~SkinBorderedWnd() {
    if (m_keyBrush)
        DeleteObject(m_keyBrush);
}

const BorderedControlSkin* SkinBorderedWnd::Bordered() const {
    return dynamic_cast<const BorderedControlSkin*>(Object());
}

COLORREF SkinBorderedWnd::PrintColour() const {
    const BorderedControlSkin* skin = Bordered();
    return skin ? skin->color1 : GetSysColor(COLOR_WINDOW);
}

HBRUSH SkinBorderedWnd::GetOwnerColors(UINT message, HDC dc) {
    if (!m_printing || (message != WM_CTLCOLORLISTBOX && message != WM_CTLCOLOREDIT))
        return nullptr;
    // While printed, the control fills its background with the skin's colour, which the skin's
    // background then replaces; pixels of the control's own in any other colour stay (a
    // selected item's white text too).
    m_keyAnswered = true;
    if (m_keyBrush)
        DeleteObject(m_keyBrush);
    m_keyBrush = CreateSolidBrush(PrintColour());
    SetBkColor(dc, PrintColour());
    if (const BorderedControlSkin* skin = Bordered())
        SetTextColor(dc, skin->color2);
    return m_keyBrush;
}

void SkinBorderedWnd::PrintClient(HDC dc) {
    const BorderedControlSkin* skin = Bordered();
    const RECT client = ClientRect();
    SkinMemDC composed(dc, client.right, client.bottom);
    GlazeworkDrawImagePart(composed.GetDC(), client, skin->backgroundImage, skin->color1, TRUE);
    {
        SkinMemDC printed(dc, client.right, client.bottom);
        GlazeworkDrawImagePart(printed.GetDC(), client, skin->backgroundImage, skin->color1, TRUE);
        m_printing = true;
        m_keyAnswered = false;
        CallSaved(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.GetDC()), PRF_CLIENT);
        m_printing = false;
        // A parent that does not pass the colour question on leaves the control's plain
        // background in the system's window colour.
        const COLORREF key = PrintedInSkinColour() ? PrintColour() : GetSysColor(COLOR_WINDOW);
        HBITMAP bitmap = printed.Detach();
        GlazeworkTransparentBlt(composed.GetDC(), 0, 0, client.right, client.bottom, bitmap, 0, 0,
                                key, nullptr);
        DeleteObject(bitmap);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, composed.GetDC(), 0, 0, SRCCOPY);
}

void SkinBorderedWnd::OnPaint() {
    if (!Bordered() || PaintsItself()) {
        CallSaved(WM_PAINT, 0, 0);
        return;
    }
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(GetHwnd(), &ps);
    PrintClient(dc);
    EndPaint(GetHwnd(), &ps);
}

LRESULT SkinBorderedWnd::OnEraseBkgnd(HDC) {
    return 1;
}

SIZE SkinBorderEdges(HWND hwnd) {
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    int cx = 0, cy = 0;
    if (exStyle & WS_EX_CLIENTEDGE) {
        cx += GetSystemMetrics(SM_CXEDGE);
        cy += GetSystemMetrics(SM_CYEDGE);
    }
    if (exStyle & WS_EX_DLGMODALFRAME) {
        cx += GetSystemMetrics(SM_CXDLGFRAME);
        cy += GetSystemMetrics(SM_CXDLGFRAME);
    }
    // A plain border counts as an edge of its width.
    if (GetWindowLongA(hwnd, GWL_STYLE) & WS_BORDER) {
        cx += GetSystemMetrics(SM_CXBORDER);
        cy += GetSystemMetrics(SM_CYBORDER);
    }
    if (exStyle & WS_EX_STATICEDGE) {
        cx += 1;
        cy += 1;
    }
    return SIZE{cx, cy};
}

LRESULT SkinBorderedWnd::OnNcPaint(WPARAM region, LPARAM lParam) {
    const BorderedControlSkin* skin = Bordered();
    HWND hwnd = GetHwnd();
    if (!skin || GlazeworkIsNineGridEmpty(skin->background))
        return CallSaved(WM_NCPAINT, region, lParam);
    const SIZE edges = SkinBorderEdges(hwnd);
    const int cx = edges.cx, cy = edges.cy;
    RECT window{};
    ::GetWindowRect(hwnd, &window);
    // The control paints its scroll bars and what else lies inside the border itself.
    HRGN inside =
        CreateRectRgn(window.left + cx, window.top + cy, window.right - cx, window.bottom - cy);
    CallSaved(WM_NCPAINT, reinterpret_cast<WPARAM>(inside), lParam);
    DeleteObject(inside);
    if (cx == 0 && cy == 0)
        return 0;
    HDC dc = GetWindowDC();
    const RECT size = GetWindowSizeRect();
    ExcludeClipRect(dc, cx, cy, size.right - cx, size.bottom - cy);
    GlazeworkDrawNineGridBorder(dc, size, skin->background, skin->color1, FALSE);
    ReleaseDC(dc);
    return 0;
}

LRESULT SkinBorderedWnd::OnInput(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallSaved(message, wParam, lParam);
}

LRESULT SkinBorderedWnd::Hidden(UINT message, WPARAM wParam, LPARAM lParam, int bar, bool hide) {
    HWND hwnd = GetHwnd();
    const int before = bar >= 0 ? ScrollPosition(hwnd, bar) : 0;
    const auto alive = AliveToken();
    const LRESULT result =
        hide ? CallSavedHidden(message, wParam, lParam) : CallSaved(message, wParam, lParam);
    if (bar >= 0 && *alive && IsWindow(hwnd) && ScrollPosition(hwnd, bar) != before)
        RedrawWindow(hwnd, nullptr, nullptr, kRedrawAll);
    return result;
}

LONG_PTR SkinBorderedWnd::Attach(HWND hwnd) {
    if (!SkinControlWnd::Attach(hwnd))
        return 0;
    PostMessageA(hwnd, GWM_POSTATTACH_BORDER, 0, 0);
    return 1;
}

int SkinBorderedWnd::Detach() {
    if (GetHwnd())
        DrawnSB_Uninitialize(GetHwnd());
    m_drawnScrollBars = false;
    return SkinControlWnd::Detach();
}

SkinObject* SkinBorderedWnd::ApplySkin(SkinObject* object) {
    SkinObject* previous = SkinControlWnd::ApplySkin(object);
    if (GetHwnd() && m_drawnScrollBars)
        SizeDrawnScrollBars();
    return previous;
}

void SkinBorderedWnd::InitDrawnScrollBars() {
    HWND hwnd = GetHwnd();
    const int os = glazework::OsClass();
    if (m_drawnScrollBars || !hwnd || os < kOsClassNt4 || os > kOsClassXp ||
        !CurrentScrollBarSkin())
        return;
    if (!DrawnSB_Initialize(hwnd))
        return;
    DrawnSB_SetStyle(hwnd, SB_HORZ, 2);
    DrawnSB_SetStyle(hwnd, SB_VERT, 2);
    m_drawnScrollBars = true;
    SizeDrawnScrollBars();
}

void SkinBorderedWnd::SizeDrawnScrollBars() {
    const ScrollBarSkin* bars = CurrentScrollBarSkin();
    if (!bars)
        return;
    const ScrollBarSkin::StateImages& normal = bars->states[ScrollBarSkin::Normal];
    // A skin whose images give no size keeps the bars' own (the sizes refuse 0).
    DrawnSB_SetSize(GetHwnd(), SB_BOTH, normal.arrow1.source.bottom - normal.arrow1.source.top,
                    normal.arrow1.source.bottom - normal.arrow1.source.top);
    DrawnSB_SetMinThumbSize(GetHwnd(), SB_BOTH,
                            normal.thumb.source.right - normal.thumb.source.left);
}

LRESULT SkinBorderedWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsMouseOrScroll(message))
        return OnInput(message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_NCPAINT:
        return OnNcPaint(wParam, lParam);
    case GWM_POSTATTACH_BORDER:
        InitDrawnScrollBars();
        return 0;
    case WM_PRINTCLIENT:
        if (Bordered() && !PaintsItself() && !m_printing) {
            PrintClient(reinterpret_cast<HDC>(wParam));
            return 0;
        }
        return CallSaved(message, wParam, lParam);
    default:
        return SkinControlWnd::WindowProc(message, wParam, lParam);
    }
}

// ---- list box -----------------------------------------------------------------------------------

LONG_PTR SkinListBoxWnd::Attach(HWND hwnd) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    const bool comboList = lstrcmpiA(name, "ComboLBox") == 0;
    if (!comboList &&
        (GetWindowLongA(hwnd, GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)))
        return 0;
    return SkinBorderedWnd::Attach(hwnd);
}

LRESULT SkinListBoxWnd::OnInput(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
        return Hidden(message, wParam, lParam, SB_VERT);
    case WM_HSCROLL:
        return Hidden(message, wParam, lParam, SB_HORZ);
    case WM_LBUTTONDOWN:
        return Hidden(message, wParam, lParam, -1);
    case WM_MOUSEMOVE:
        if (!(wParam & MK_LBUTTON))
            return CallSaved(message, wParam, lParam);
        Hidden(message, wParam, lParam, -1);
        InvalidateRect(GetHwnd(), nullptr, TRUE);
        UpdateWindow(GetHwnd());
        return 0;
    case WM_LBUTTONUP:
        return CallSavedThenRepaint(message, wParam, lParam);
    default:
        return CallSaved(message, wParam, lParam);
    }
}

LRESULT SkinListBoxWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_SETFONT)
        return SkinBorderedWnd::WindowProc(message, wParam, lParam);
    HWND hwnd = GetHwnd();
    RECT before{};
    ::GetWindowRect(hwnd, &before);
    const auto alive = AliveToken();
    const LRESULT result = SkinBorderedWnd::WindowProc(message, wParam, lParam);
    if (!*alive)
        return result;
    // The area the list covered before, in the window that holds it: the parent, or for a
    // combo box's list the combo box's parent.
    HWND holder = GetParent(hwnd);
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (holder && lstrcmpiA(name, "ComboLBox") == 0 && GetParent(holder))
        holder = GetParent(holder);
    if (holder) {
        MapWindowPoints(nullptr, holder, reinterpret_cast<POINT*>(&before), 2);
        InvalidateRect(holder, &before, TRUE);
        UpdateWindow(holder);
    }
    return result;
}

// ---- tree view ----------------------------------------------------------------------------------

LONG_PTR SkinTreeWnd::Attach(HWND hwnd) {
    const LONG_PTR result = SkinBorderedWnd::Attach(hwnd);
    SendMessageA(hwnd, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(PrintColour()));
    return result;
}

int SkinTreeWnd::Detach() {
    if (HWND hwnd = GetHwnd())
        SendMessageA(hwnd, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
    return SkinBorderedWnd::Detach();
}

LRESULT SkinTreeWnd::OnInput(UINT message, WPARAM wParam, LPARAM lParam) {
    // Windows 98's tree view is left visible while it handles these; it is still repainted.
    const bool hide = glazework::OsClass() != kOsClass98;
    switch (message) {
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_LBUTTONDBLCLK:
        return Hidden(message, wParam, lParam, SB_VERT, hide);
    case WM_HSCROLL:
        return Hidden(message, wParam, lParam, SB_HORZ, hide);
    case WM_LBUTTONDOWN: {
        const LRESULT result = Hidden(message, wParam, lParam, SB_VERT, hide);
        if (IsWindow(GetHwnd()))
            RedrawWindow(GetHwnd(), nullptr, nullptr, kRedrawAll);
        return result;
    }
    case WM_MOUSEMOVE:
        return wParam & MK_LBUTTON ? CallSavedThenRepaint(message, wParam, lParam)
                                   : CallSaved(message, wParam, lParam);
    case WM_LBUTTONUP:
        return CallSavedThenRepaint(message, wParam, lParam);
    default:
        return CallSaved(message, wParam, lParam);
    }
}

// ---- list view ----------------------------------------------------------------------------------

SkinObject* SkinListViewWnd::ApplySkin(SkinObject* object) {
    SkinObject* previous = SkinBorderedWnd::ApplySkin(object);
    if (GetHwnd() && Object())
        PostMessage(GWM_POSTATTACH_COLORS, 0, 0);
    return previous;
}

LONG_PTR SkinListViewWnd::Attach(HWND hwnd) {
    if (GetWindowLongA(hwnd, GWL_STYLE) & LVS_OWNERDRAWFIXED)
        return 0;
    const LONG_PTR result = SkinBorderedWnd::Attach(hwnd);
    if (GetHwnd() && Object())
        PostMessage(GWM_POSTATTACH_COLORS, 0, 0);
    return result;
}

LRESULT SkinListViewWnd::OnEraseBkgnd(HDC dc) {
    return CallSaved(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
}

LRESULT SkinListViewWnd::OnInput(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HSCROLL: {
        SCROLLINFO info{sizeof(info), SIF_POS | SIF_RANGE, 0, 0, 0, 0, 0};
        GetScrollInfo(GetHwnd(), SB_HORZ, &info);
        if (LOWORD(wParam) == SB_LINELEFT && info.nPos <= info.nMin)
            return 0;
        return Hidden(message, wParam, lParam, SB_HORZ);
    }
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
        return Hidden(message, wParam, lParam, SB_VERT);
    default:
        return CallSaved(message, wParam, lParam);
    }
}

LRESULT SkinListViewWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != GWM_POSTATTACH_COLORS)
        return SkinBorderedWnd::WindowProc(message, wParam, lParam);
    const BorderedControlSkin* skin = Bordered();
    if (!skin)
        return 0;
    SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(skin->color1));
    SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(skin->color1));
    SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(skin->color2));
    InvalidateRect(GetHwnd(), nullptr, TRUE);
    return 1;
}
