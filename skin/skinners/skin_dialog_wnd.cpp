#include "skin/skinners/skin_dialog_wnd.h"

#include "skin/core/nine_part_frame_skin.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_geometry.h"
#include "skin/skinners/skin_caption_button.h"
#include "skin/skinners/skin_messages.h"

namespace {

constexpr int kTitleLength = 300;
constexpr UINT kFrameChangedQuietly =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
constexpr UINT kRedrawAll =
    RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_ERASENOW | RDW_FRAME;
constexpr std::uint32_t kCaptionButtonType = 3;
constexpr std::uint32_t kStretchMode = 2;

bool SameSize(SIZE a, SIZE b) {
    return a.cx == b.cx && a.cy == b.cy;
}

} // namespace

SkinDialogWnd::~SkinDialogWnd() {
    m_background.reset();
}

bool SkinDialogWnd::IsFramed() const {
    const auto style = static_cast<DWORD>(GetWindowLongA(GetHwnd(), GWL_STYLE));
    return (style & WS_DLGFRAME) || (style & DS_MODALFRAME);
}

LONG_PTR SkinDialogWnd::Attach(HWND hwnd) {
    const LONG_PTR result = SkinWnd::Attach(hwnd);
    m_style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    if (IsFramed())
        FitToClient();
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, kFrameChangedQuietly);
    return result;
}

SkinObject* SkinDialogWnd::ApplySkin(SkinObject* object) {
    SkinObject* previous = SkinWnd::ApplySkin(object);
    const HWND hwnd = GetHwnd();
    if (!hwnd)
        return previous;
    m_background.reset();
    if (IsFramed())
        FitToClient();
    m_frameSize = SIZE{};
    InvalidateRect(hwnd, nullptr, TRUE);
    RedrawWindow(hwnd, nullptr, nullptr, kRedrawAll);
    return previous;
}

void DrawFrameCaption(HDC dc, HWND hwnd, const SkinObject* object, DWORD style,
                      bool windowDrawsCaption, const RECT& captionPart) {
    if ((style & WS_CAPTION) != WS_CAPTION || !windowDrawsCaption)
        return;
    const auto* frame = dynamic_cast<const NinePartFrameSkin*>(object);
    if (!frame)
        return;
    const int mode = SetBkMode(dc, TRANSPARENT);
    HFONT font = CreateFontIndirectA(&frame->font.font);
    HGDIOBJ previousFont = font ? SelectObject(dc, font) : nullptr;
    const COLORREF previousColor = SetTextColor(dc, frame->font.color);
    char title[kTitleLength + 1] = {};
    const int length = GetWindowTextA(hwnd, title, sizeof title);
    RECT place = captionPart;
    DrawTextA(dc, title, length, &place, DT_SINGLELINE | DT_VCENTER);
    SetTextColor(dc, previousColor);
    SetBkMode(dc, mode);
    if (previousFont)
        SelectObject(dc, previousFont);
    if (font)
        DeleteObject(font);
}

void SkinDialogWnd::DrawCaption(HDC dc, bool) {
    DrawFrameCaption(dc, GetHwnd(), Object(), m_style, WindowDrawsCaption(), PartRects()[1]);
}

void SkinDialogWnd::BuildBackground() {
    m_background.reset();
    const HWND hwnd = GetHwnd();
    const auto* frame = dynamic_cast<const NinePartFrameSkin*>(Object());
    RECT client{};
    GetClientRect(hwnd, &client);
    m_backgroundSize = SIZE{RectWidth(client), RectHeight(client)};
    if (!frame || RectWidth(client) <= 0 || RectHeight(client) <= 0)
        return;
    HDC dc = GetDC(hwnd);
    auto background = std::make_unique<SkinMemDC>(dc, RectWidth(client), RectHeight(client));
    constexpr int centre = 4;
    const SkinImageRef& ref = frame->partImages[centre];
    if (background->GetDC() && background->GetBitmap()) {
        GlazeworkDrawImagePart(background->GetDC(), client, ref, frame->frameColor3, TRUE);
        if (ref.drawMode == kStretchMode)
            m_redrawPending = true;
        m_background = std::move(background);
    }
    ::ReleaseDC(hwnd, dc);
}

HDC SkinDialogWnd::Background() {
    if (!m_background)
        BuildBackground();
    return m_background ? m_background->GetDC() : nullptr;
}

BOOL SkinDialogWnd::PaintBackground(HDC dc) {
    const HWND hwnd = GetHwnd();
    RECT client{};
    GetClientRect(hwnd, &client);
    if (!m_background || !SameSize(m_backgroundSize, SIZE{RectWidth(client), RectHeight(client)}))
        BuildBackground();
    if (m_redrawPending) {
        m_redrawPending = false;
        RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASENOW | RDW_ERASE | RDW_INVALIDATE);
        return TRUE;
    }
    if (!m_background)
        return FALSE;
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    RECT box{};
    if (GetClipBox(dc, &box) == NULLREGION || IsRectEmpty(&box))
        box = client;
    BitBlt(dc, box.left, box.top, RectWidth(box), RectHeight(box), m_background->GetDC(), box.left,
           box.top, SRCCOPY);
    return TRUE;
}

void SkinDialogWnd::PaintFrame() {
    const HWND hwnd = GetHwnd();
    if (!hwnd || !Object())
        return;
    const bool active = IsActiveWindow();
    const RECT size = GetWindowSizeRect();
    LayoutFrameParts(size);
    const SIZE now{size.right, size.bottom};
    if (!SameSize(now, m_frameSize)) {
        BuildBackground();
        m_frameSize = now;
        SetRegion(BuildRegion(), TRUE);
        SendMessage(WM_NCPAINT, 1, 0);
        UpdateWindow(hwnd);
        return;
    }
    HDC windowDc = GetWindowDC();
    if (!windowDc)
        return;
    {
        SkinMemDC memory(windowDc, now.cx, now.cy);
        HDC dc = memory.GetDC();
        if (dc && memory.GetBitmap()) {
            DrawFrame(dc, active);
            DrawElements(dc);
            const auto& p = PartRects();
            const RECT bands[] = {
                {p[0].left, p[0].top, p[2].right, p[0].bottom},
                {p[3].left, p[3].top, p[3].right, p[3].bottom},
                {p[5].left, p[5].top, p[5].right, p[5].bottom},
                {p[6].left, p[6].top, p[8].right, p[8].bottom},
            };
            for (const RECT& band : bands)
                BitBlt(windowDc, band.left, band.top, RectWidth(band), RectHeight(band), dc,
                       band.left, band.top, SRCCOPY);
        }
    }
    ReleaseDC(windowDc);
}

bool SkinDialogWnd::IsMaximized() const {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    return GetWindowPlacement(GetHwnd(), &placement) && placement.showCmd == SW_SHOWMAXIMIZED;
}

LRESULT SkinDialogWnd::HitTest(POINT at) {
    LayoutFrameParts(GetWindowSizeRect());
    LayoutElements();
    if (ElementHitTest(at) == HTCAPTION)
        return HTCAPTION;
    return frame_geometry::DialogHitTest(PartRects(), IsSizable(), IsMaximized(), at);
}

POINT SkinDialogWnd::WindowPoint(LPARAM screenPoint) const {
    RECT window{};
    GetWindowRect(&window);
    return POINT{GET_X_LPARAM(screenPoint) - window.left, GET_Y_LPARAM(screenPoint) - window.top};
}

LRESULT SkinDialogWnd::WithWindowLocked(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = GetHwnd();
    // Another window may hold the one lock (a skin being exchanged): then it stays held.
    const bool locked = LockWindowUpdate(hwnd) != FALSE;
    const auto alive = AliveToken();
    const LRESULT result = SkinWnd::WindowProc(message, wParam, lParam);
    if (locked)
        LockWindowUpdate(nullptr);
    if (*alive)
        SendMessage(WM_NCPAINT, 1, 0);
    return result;
}

LRESULT SkinDialogWnd::NonClientButton(UINT elementMessage, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
    if (DispatchToElements(elementMessage, WindowPoint(lParam)))
        return 0;
    if (IsMaximized())
        return 0;
    WithoutSystemMenu(message, wParam, lParam);
    return 0;
}

LRESULT SkinDialogWnd::NonClientDoubleClick(WPARAM wParam, LPARAM lParam) {
    const POINT at = WindowPoint(lParam);
    const auto alive = AliveToken();
    if (DispatchToElements(WM_LBUTTONDBLCLK, at) || !*alive)
        return 0;
    if (!IsSizable())
        return 0;
    for (const auto& element : Elements())
        if (element->GetType() == kCaptionButtonType && element->HitTest(at))
            return 0;
    return WithWindowLocked(WM_NCLBUTTONDBLCLK, wParam, lParam);
}

LRESULT SkinDialogWnd::CalcSize(LPARAM lParam) const {
    const auto* frame = dynamic_cast<const NinePartFrameSkin*>(Object());
    auto* proposed = reinterpret_cast<RECT*>(lParam);
    if (!frame || !proposed)
        return 0;
    proposed->left += RectWidth(frame->GetPartRect(3));
    proposed->right -= RectWidth(frame->GetPartRect(5));
    proposed->top += RectHeight(frame->GetPartRect(0));
    proposed->bottom -= RectHeight(frame->GetPartRect(6));
    return 0;
}

LRESULT SkinDialogWnd::PaintBackgroundUnder(WPARAM targetDc, LPARAM control) {
    HDC background = Background();
    if (!background)
        return 0;
    return PaintChildBackground(reinterpret_cast<HDC>(targetDc), reinterpret_cast<HWND>(control),
                                background);
}

LRESULT SkinDialogWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!GetSavedProc())
        return SkinWnd::WindowProc(message, wParam, lParam);
    return IsFramed() ? FramedProc(message, wParam, lParam) : UnframedProc(message, wParam, lParam);
}

LRESULT SkinDialogWnd::FramedProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ENABLE:
    case WM_SETICON:
    case WM_INITMENU:
    case WM_INITMENUPOPUP: {
        const auto alive = AliveToken();
        const LRESULT result = WithoutSystemMenu(message, wParam, lParam);
        if (*alive)
            PaintFrame();
        return result;
    }
    case WM_SETCURSOR:
        return WithoutSystemMenu(message, wParam, lParam);
    case WM_SETTEXT:
        return WithWindowLocked(message, wParam, lParam);
    case WM_ERASEBKGND:
        if (PaintBackground(reinterpret_cast<HDC>(wParam)))
            return 1;
        return SkinWnd::WindowProc(message, wParam, lParam);
    case WM_NCCALCSIZE:
        return CalcSize(lParam);
    case WM_NCRBUTTONDOWN:
        DispatchToElements(WM_RBUTTONDOWN, WindowPoint(lParam));
        return 0;
    case WM_NCHITTEST:
        return HitTest(WindowPoint(lParam));
    case WM_NCPAINT:
        PaintFrame();
        return 0;
    case WM_NCACTIVATE: {
        const auto alive = AliveToken();
        const auto style = static_cast<DWORD>(GetWindowLongA(GetHwnd(), GWL_STYLE));
        // A plain popup has nothing for the default handling to draw; it stays as visible as
        // it is.
        const LRESULT result = WithStyle(WS_POPUP | (style & WS_VISIBLE), message, wParam, 0);
        if (*alive)
            PaintFrame();
        return result;
    }
    case WM_NCMOUSEMOVE: {
        const auto alive = AliveToken();
        const LRESULT result = WithoutSystemMenu(message, wParam, lParam);
        if (*alive)
            DispatchToElements(WM_MOUSEMOVE, WindowPoint(lParam));
        return result;
    }
    case WM_NCLBUTTONDOWN:
        return NonClientButton(WM_LBUTTONDOWN, message, wParam, lParam);
    case WM_NCLBUTTONUP:
        return NonClientButton(WM_LBUTTONUP, message, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
        return NonClientDoubleClick(wParam, lParam);
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(wParam, lParam);
    case GWM_PAINTBACKGROUND:
        return PaintBackgroundUnder(wParam, lParam);
    default:
        return SkinWnd::WindowProc(message, wParam, lParam);
    }
}

LRESULT SkinDialogWnd::UnframedProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        return WithWindowLocked(message, wParam, lParam);
    case WM_ERASEBKGND:
        if (PaintBackground(reinterpret_cast<HDC>(wParam)))
            return 1;
        return SkinWnd::WindowProc(message, wParam, lParam);
    case WM_NCDESTROY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return SkinWnd::WindowProc(message, wParam, lParam);
    case WM_CTLCOLORDLG:
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(wParam, lParam);
    case GWM_PAINTBACKGROUND:
        return PaintBackgroundUnder(wParam, lParam);
    default:
        // The toolkit's own messages keep their meaning here too (a control's end must reach
        // the child map).
        if (message >= kGlazeworkMessageBase && message < kGlazeworkMessageBase + 100)
            return SkinWnd::WindowProc(message, wParam, lParam);
        return CallSaved(message, wParam, lParam);
    }
}
