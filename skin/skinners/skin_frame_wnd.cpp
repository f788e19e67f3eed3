#include "skin/skinners/skin_frame_wnd.h"

#include "skin/core/frame_skin.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/glazework_menus.h"
#include "skin/skinners/skin_dialog_wnd.h"
#include "skin/skinners/skin_messages.h"

#include <algorithm>

namespace {

constexpr int kCorner = 5;
constexpr UINT kFrameChangedQuietly =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
constexpr UINT kRedrawAll =
    RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_ERASENOW | RDW_FRAME;
constexpr DWORD kTopLevelSubstitute = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr std::uint32_t kStretchMode = 2;
constexpr char kMdiClientClass[] = "MDIClient";
constexpr char kTrayClass[] = "Shell_TrayWnd";

bool In(const RECT& r, POINT p) {
    return PtInRect(&r, p) != FALSE;
}

RECT Square(LONG x, LONG y) {
    return RECT{x, y, x + kCorner, y + kCorner};
}

} // namespace

SkinFrameWnd::SkinFrameWnd() : m_menuBar(std::make_unique<SkinMenuBar>(this)) {}

SkinFrameWnd::~SkinFrameWnd() {
    m_menuBar.reset();
    m_background.reset();
}

HWND SkinFrameWnd::FindMdiClient(HWND frame) {
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[101] = {};
        if (GetClassNameA(child, name, 100) && lstrcmpiA(name, kMdiClientClass) == 0)
            return child;
    }
    return nullptr;
}

void SkinFrameWnd::SkinMdiClient() {
    HWND client = m_mdiChild ? nullptr : FindMdiClient(GetHwnd());
    if (!client || client == m_mdiClient)
        return;
    SetWindowLongA(client, GWL_STYLE,
                   GetWindowLongA(client, GWL_STYLE) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    auto skinner = std::make_unique<SkinMdiClientWnd>(this);
    SkinMdiClientWnd* own = skinner.get();
    if (SkinManager::Instance().Register(std::move(skinner), client) == own)
        own->Attach(client);
    m_mdiClient = client;
    InvalidateRect(client, nullptr, TRUE);
    UpdateWindow(client);
}

LONG_PTR SkinFrameWnd::Attach(HWND hwnd) {
    m_style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    m_mdiChild = (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
    m_substituteStyle = m_mdiChild ? m_style & ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
                                   : kTopLevelSubstitute;
    LONG_PTR result = 0;
    if (m_mdiChild) {
        result = SkinWnd::Attach(hwnd);
    } else {
        m_savedMenu = ::GetMenu(hwnd);
        m_menuBar->SetMenu(m_savedMenu);
        ::SetMenu(hwnd, nullptr);
        ::DrawMenuBar(hwnd);
        result = SkinWnd::Attach(hwnd);
        if (!result) {
            ::SetMenu(hwnd, m_menuBar->GetMenu());
            ::DrawMenuBar(hwnd);
            m_menuBar->ClearMenu();
            m_savedMenu = nullptr;
            return 0;
        }
    }
    SkinMdiClient();
    if (IsSizable()) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, kFrameChangedQuietly);
    } else {
        FitToClient();
        m_frameSize = SIZE{};
        RedrawWindow(hwnd, nullptr, nullptr, kRedrawAll);
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return result;
}

int SkinFrameWnd::Detach() {
    const HWND hwnd = GetHwnd();
    if (m_mdiClient) {
        SkinManager::Instance().Remove(m_mdiClient);
        m_mdiClient = nullptr;
    }
    const int result = SkinWnd::Detach();
    if (HMENU menu = m_menuBar->GetMenu(); menu && hwnd && IsWindow(hwnd)) {
        ::SetMenu(hwnd, menu);
        m_menuBar->ClearMenu();
        ::DrawMenuBar(hwnd);
    }
    return result;
}

SkinObject* SkinFrameWnd::ApplySkin(SkinObject* object) {
    SkinObject* previous = SkinWnd::ApplySkin(object);
    if (auto* frame = dynamic_cast<FrameSkin*>(object))
        m_menuBar->ApplySkin(&frame->fontElement);
    const HWND hwnd = GetHwnd();
    if (!hwnd)
        return previous;
    m_background.reset();
    if (m_mdiClient) {
        InvalidateRect(m_mdiClient, nullptr, TRUE);
        UpdateWindow(m_mdiClient);
    }
    if (!IsIconic()) {
        if (IsSizable()) {
            RECT window{};
            GetWindowRect(&window);
            const POINT least = GetMinTrackSize();
            if (RectWidth(window) < least.x || RectHeight(window) < least.y) {
                RECT grown{window.left, window.top,
                           window.left + std::max<LONG>(RectWidth(window), least.x),
                           window.top + std::max<LONG>(RectHeight(window), least.y)};
                if (m_mdiChild)
                    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&grown), 2);
                MoveWindow(grown, TRUE);
                return previous;
            }
        } else {
            FitToClient();
            m_frameSize = SIZE{};
            InvalidateRect(hwnd, nullptr, TRUE);
            RedrawWindow(hwnd, nullptr, nullptr, kRedrawAll);
        }
    }
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, kFrameChangedQuietly);
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    return previous;
}

HMENU SkinFrameWnd::GetMenu() const {
    return m_menuBar->GetMenu();
}

int SkinFrameWnd::SetMenu(HMENU menu) {
    if (m_menuBar->IsTracking() || !menu || !IsMenu(menu))
        return 0;
    m_menuBar->SetMenu(menu);
    ::SetMenu(GetHwnd(), nullptr);
    RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW);
    return 1;
}

LRESULT SkinFrameWnd::OnMenuKey(WPARAM key, LPARAM keyData) {
    constexpr LPARAM kAltDown = 1 << 29;
    constexpr LPARAM kReleased = static_cast<LPARAM>(1u << 31);
    const bool fromHook = keyData != 0;
    // Highlighted by Alt alone or F10, the bar takes the plain keys the hook offers.
    if (m_menuBar->InKeyboardMode() && fromHook && !(keyData & kAltDown) &&
        key != static_cast<WPARAM>(-1)) {
        if (key == VK_F10 && (keyData & kReleased))
            return 1;
        return m_menuBar->OnKeyboardModeKey(static_cast<int>(key));
    }
    if (key == VK_LEFT || key == VK_RIGHT) {
        // A drop-down passes its Left and Right on (key data 0); the hook offers them only
        // with Alt held.
        if (fromHook && !(keyData & kAltDown))
            return 0;
        m_menuBar->OnKey(static_cast<int>(key));
        return 1;
    }
    if (key == VK_F10) {
        if (!(keyData & kReleased) && !m_menuBar->IsTracking())
            m_menuBar->EnterKeyboardMode();
        return 1;
    }
    if (!(keyData & kAltDown))
        return 0;
    if (key == static_cast<WPARAM>(-1)) {
        if (m_altChord) {
            // The release of an Alt that was held for a mnemonic leaves the menu it opened.
            m_altChord = false;
            m_altUsed = false;
            return 1;
        }
        const bool alone = !m_altUsed;
        m_altUsed = false;
        if (m_menuBar->InKeyboardMode())
            return m_menuBar->OnKeyboardModeKey(-1);
        if (alone && !m_menuBar->IsTracking()) {
            m_menuBar->EnterKeyboardMode();
            return 1;
        }
        return m_menuBar->OnKey(-1);
    }
    m_altUsed = true;
    m_menuBar->LeaveKeyboardMode();
    const LRESULT taken = m_menuBar->OnKey(static_cast<int>(key));
    m_altChord = taken != 0;
    return taken;
}

HWND SkinFrameWnd::GetMdiActive(BOOL* maximized) const {
    if (maximized)
        *maximized = FALSE;
    if (!m_mdiClient || !IsWindow(m_mdiClient))
        return nullptr;
    return reinterpret_cast<HWND>(
        SendMessageA(m_mdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
}

void SkinFrameWnd::MinimizeMdiChild() const {
    if (HWND child = GetMdiActive(nullptr))
        SendMessageA(child, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void SkinFrameWnd::RestoreMdiChild() const {
    if (HWND child = GetMdiActive(nullptr))
        SendMessageA(m_mdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
}

void SkinFrameWnd::CloseMdiChild() const {
    if (HWND child = GetMdiActive(nullptr))
        SendMessageA(child, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void SkinFrameWnd::ShowMdiChildMenu() const {
    HWND child = GetMdiActive(nullptr);
    if (!child)
        return;
    GlazeworkShowSystemMenu(child);
    if (m_mdiClient && IsWindow(m_mdiClient))
        RedrawWindow(m_mdiClient, nullptr, nullptr,
                     RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_NOERASE);
}

RECT SkinFrameWnd::GetFrameMargins() const {
    return m_menuBar->GetRect();
}

void SkinFrameWnd::DrawMenuBar(HDC dc) {
    m_menuBar->Draw(dc);
}

void SkinFrameWnd::DrawCaption(HDC dc, bool) {
    DrawFrameCaption(dc, GetHwnd(), Object(), m_style, WindowDrawsCaption(), PartRects()[1]);
}

bool SkinFrameWnd::IsMaximized() const {
    return IsZoomed() != FALSE;
}

POINT SkinFrameWnd::WindowPoint(LPARAM screenPoint) const {
    RECT window{};
    GetWindowRect(&window);
    return POINT{GET_X_LPARAM(screenPoint) - window.left, GET_Y_LPARAM(screenPoint) - window.top};
}

bool SkinFrameWnd::OnMenuBar(POINT at) {
    return !m_mdiChild && In(m_menuBarRect, at);
}

LRESULT SkinFrameWnd::NcHitTest(POINT at) {
    LayoutFrameParts(GetWindowSizeRect());
    LayoutElements();
    m_menuBarRect = m_menuBar->GetRect();
    if (OnMenuBar(at))
        return HTMENU;
    const auto& p = PartRects();
    const LRESULT element = ElementHitTest(at);
    if (IsMaximized()) {
        if (element == HTCAPTION || In(p[1], at) || In(p[0], at) || In(p[2], at))
            return HTCAPTION;
        return In(p[4], at) ? HTCLIENT : HTNOWHERE;
    }
    if (element)
        return element;
    const bool sizable = IsSizable();
    auto sizing = [sizable](LRESULT code, LRESULT fallback) { return sizable ? code : fallback; };
    if (In(Square(p[0].left, p[0].top), at))
        return sizing(HTTOPLEFT, HTCAPTION);
    if (In(p[0], at))
        return HTCAPTION;
    if (In(p[1], at))
        return at.y < p[1].top + kCorner ? sizing(HTTOP, HTCAPTION) : HTCAPTION;
    if (In(Square(p[2].right - kCorner, p[2].top), at))
        return sizing(HTTOPRIGHT, HTCAPTION);
    if (In(p[2], at))
        return HTCAPTION;
    if (In(p[5], at))
        return sizing(HTRIGHT, HTNOWHERE);
    if (In(p[3], at))
        return sizing(HTLEFT, HTNOWHERE);
    if (In(Square(p[8].right - kCorner, p[8].bottom - kCorner), at))
        return sizing(HTBOTTOMRIGHT, HTNOWHERE);
    if (In(p[8], at) || In(p[7], at))
        return sizing(HTBOTTOM, HTNOWHERE);
    if (In(Square(p[6].left, p[6].bottom - kCorner), at))
        return sizing(HTBOTTOMLEFT, HTNOWHERE);
    if (In(p[6], at))
        return sizing(HTBOTTOM, HTNOWHERE);
    if (In(p[4], at))
        return HTCLIENT;
    return HTERROR;
}

HWND SkinFrameWnd::MdiRoot() const {
    return m_mdiChild ? GetRootWindow() : nullptr;
}

LRESULT SkinFrameWnd::WithUpdatesLocked(HWND lock, UINT message, WPARAM wParam, LPARAM lParam) {
    // Another window may hold the one lock: then it stays held.
    const bool locked = LockWindowUpdate(lock) != FALSE;
    const LRESULT result = SkinWnd::WindowProc(message, wParam, lParam);
    if (locked)
        LockWindowUpdate(nullptr);
    return result;
}

void SkinFrameWnd::OnNcLButtonDown(LRESULT hit, POINT at) {
    const auto alive = AliveToken();
    if (DispatchToElements(WM_LBUTTONDOWN, at) || !*alive)
        return;
    if (OnMenuBar(at)) {
        m_menuBar->OnLButtonDown(at);
        return;
    }
    if (IsMaximized())
        return;
    RECT window{};
    GetWindowRect(&window);
    WithoutSystemMenu(WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit),
                      MAKELPARAM(at.x + window.left, at.y + window.top), MdiRoot());
}

void SkinFrameWnd::OnNcLButtonUp(LRESULT hit, POINT at) {
    const auto alive = AliveToken();
    if (DispatchToElements(WM_LBUTTONUP, at) || !*alive)
        return;
    if (OnMenuBar(at)) {
        m_menuBar->OnLButtonUp(at);
        return;
    }
    if (IsMaximized()) {
        // Two releases within the double-click time make a double click.
        const DWORD now = GetTickCount();
        if (m_hadMaximizedRelease && now - m_lastMaximizedRelease <= GetDoubleClickTime()) {
            m_hadMaximizedRelease = false;
            OnNcLButtonDblClk(hit, at);
            return;
        }
        m_hadMaximizedRelease = true;
        m_lastMaximizedRelease = now;
        return;
    }
    RECT window{};
    GetWindowRect(&window);
    WithoutSystemMenu(WM_NCLBUTTONUP, static_cast<WPARAM>(hit),
                      MAKELPARAM(at.x + window.left, at.y + window.top), MdiRoot());
}

void SkinFrameWnd::OnNcLButtonDblClk(LRESULT hit, POINT at) {
    const auto alive = AliveToken();
    if (DispatchToElements(WM_LBUTTONDBLCLK, at) || !*alive)
        return;
    if (OnMenuBar(at) || hit != HTCAPTION || !IsSizable())
        return;
    SendMessage(WM_SYSCOMMAND, IsZoomed() ? SC_RESTORE : SC_MAXIMIZE, 0);
}

void SkinFrameWnd::OnNcMouseMove(LRESULT, POINT at) {
    const auto alive = AliveToken();
    DispatchToElements(WM_MOUSEMOVE, at);
    if (*alive && !m_mdiChild)
        m_menuBar->OnMouseMove(at);
}

void SkinFrameWnd::ReplayOutsideClick(POINT screen) {
    const HWND hwnd = GetHwnd();
    RECT window{};
    GetWindowRect(&window);
    if (!In(window, screen))
        return;
    POINT client = screen;
    ScreenToClient(hwnd, &client);
    RECT area{};
    GetClientRect(hwnd, &area);
    if (In(area, client)) {
        m_menuBar->OnLButtonDown(POINT{-1, -1});
        SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(client.x, client.y));
        return;
    }
    const POINT at{screen.x - window.left, screen.y - window.top};
    SendMessage(WM_NCLBUTTONDOWN, static_cast<WPARAM>(NcHitTest(at)),
                MAKELPARAM(screen.x, screen.y));
}

LRESULT SkinFrameWnd::OnNcActivate(WPARAM active) {
    const auto alive = AliveToken();
    LRESULT result = 1;
    if (m_mdiChild) {
        result = WithStyle(m_substituteStyle, WM_NCACTIVATE, active, 0);
    } else {
        if (m_menuBar->IsTracking())
            return 1;
        if (!active)
            m_menuBar->LeaveKeyboardMode();
        result = WithUpdatesLocked(GetDesktopWindow(), WM_NCACTIVATE, active, 0);
    }
    if (*alive)
        SendMessage(WM_NCPAINT, 1, 0);
    return result;
}

void SkinFrameWnd::OnGetMinMaxInfo(MINMAXINFO* info) {
    const auto* frame = dynamic_cast<const NinePartFrameSkin*>(Object());
    if (!frame || !info)
        return;
    const LONG left = RectWidth(frame->GetPartRect(3));
    const LONG right = RectWidth(frame->GetPartRect(5));
    const LONG top = RectHeight(frame->GetPartRect(0));
    const LONG bottom = RectHeight(frame->GetPartRect(6));
    if (m_mdiChild) {
        RECT parent{};
        GetClientRect(GetParent(GetHwnd()), &parent);
        info->ptMaxPosition = POINT{-left, -top};
        info->ptMaxSize = POINT{parent.right + left + right, parent.bottom + top + bottom};
        info->ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    } else {
        RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (HWND tray = FindWindowA(kTrayClass, nullptr); tray && IsWindowVisible(tray)) {
            RECT trayRect{};
            ::GetWindowRect(tray, &trayRect);
            RECT less{};
            if (SubtractRect(&less, &work, &trayRect))
                work = less;
        }
        info->ptMaxPosition = POINT{work.left, work.top};
        info->ptMaxSize = POINT{RectWidth(work) - 1, RectHeight(work) - 1};
    }
    LayoutFrameParts(GetWindowSizeRect());
    info->ptMinTrackSize = GetMinTrackSize();
    MINMAXINFO system = *info;
    SkinWnd::WindowProc(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&system));
    info->ptMaxTrackSize.x = std::min(info->ptMaxTrackSize.x, system.ptMaxTrackSize.x);
    info->ptMaxTrackSize.y = std::min(info->ptMaxTrackSize.y, system.ptMaxTrackSize.y);
    info->ptMinTrackSize.x = std::max(info->ptMinTrackSize.x, system.ptMinTrackSize.x);
    info->ptMinTrackSize.y = std::max(info->ptMinTrackSize.y, system.ptMinTrackSize.y);
}

void SkinFrameWnd::BuildBackground(int width, int height) {
    m_background.reset();
    m_backgroundSize = SIZE{width, height};
    const auto* frame = dynamic_cast<const FrameSkin*>(Object());
    if (!frame || width <= 0 || height <= 0)
        return;
    const HWND hwnd = GetHwnd();
    HDC dc = GetDC(hwnd);
    auto background = std::make_unique<SkinMemDC>(dc, width, height);
    ::ReleaseDC(hwnd, dc);
    if (!background->GetDC() || !background->GetBitmap())
        return;
    if (frame->skinClient) {
        constexpr int centre = 4;
        const SkinImageRef& ref = frame->partImages[centre];
        GlazeworkDrawImagePart(background->GetDC(), RECT{0, 0, width, height}, ref,
                               frame->frameColor3, TRUE);
        if (ref.drawMode == kStretchMode)
            m_redrawPending = true;
    } else {
        // The window paints its own background into it.
        SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(background->GetDC()), 0);
    }
    m_background = std::move(background);
}

BOOL SkinFrameWnd::PaintBackground(HDC dc) {
    const auto* frame = dynamic_cast<const FrameSkin*>(Object());
    if (!frame || !frame->skinClient)
        return FALSE;
    const HWND hwnd = GetHwnd();
    RECT client{};
    GetClientRect(hwnd, &client);
    if (!m_background || m_backgroundSize.cx != client.right ||
        m_backgroundSize.cy != client.bottom)
        BuildBackground(client.right, client.bottom);
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

void SkinFrameWnd::PaintFrame(WPARAM updateRegion) {
    const HWND hwnd = GetHwnd();
    if (!hwnd || !Object())
        return;
    const bool active = IsActiveWindow();
    // A frame makes its MDI client while it is being created, after the skinner came.
    if (!m_mdiClient)
        SkinMdiClient();
    if (!m_mdiChild && !m_menuBar->IsTracking()) {
        HMENU again = ::GetMenu(hwnd);
        if (again && IsMenu(again)) {
            m_menuBar->SetMenu(again);
            ::SetMenu(hwnd, nullptr);
        }
    }
    const RECT size = GetWindowSizeRect();
    LayoutFrameParts(size);
    if (size.right != m_frameSize.cx || size.bottom != m_frameSize.cy) {
        m_frameSize = SIZE{size.right, size.bottom};
        RECT client{};
        GetClientRect(hwnd, &client);
        BuildBackground(client.right, client.bottom);
        HRGN region = BuildRegion();
        RECT box{};
        const int kind = region ? GetRgnBox(region, &box) : NULLREGION;
        if (region && kind == SIMPLEREGION && EqualRect(&box, &size)) {
            // A region as large as the window is no region; the window deletes its old one.
            DeleteObject(region);
            SetRegion(nullptr, TRUE);
        } else {
            SetRegion(region, TRUE);
        }
        SendMessage(WM_NCPAINT, 1, 0);
        return;
    }
    HDC windowDc = GetWindowDC();
    if (!windowDc)
        return;
    HRGN clip = nullptr;
    if (updateRegion >= 2) {
        clip = CreateRectRgn(0, 0, 0, 0);
        if (clip &&
            CombineRgn(clip, reinterpret_cast<HRGN>(updateRegion), nullptr, RGN_COPY) != ERROR) {
            RECT window{};
            GetWindowRect(&window);
            OffsetRgn(clip, -window.left, -window.top);
        } else if (clip) {
            DeleteObject(clip);
            clip = nullptr;
        }
    }
    {
        SkinMemDC memory(windowDc, size.right, size.bottom);
        HDC dc = memory.GetDC();
        if (dc && memory.GetBitmap()) {
            if (clip) {
                SelectClipRgn(dc, clip);
                SelectClipRgn(windowDc, clip);
            }
            const int mode = SetBkMode(dc, TRANSPARENT);
            DrawFrame(dc, active);
            DrawElements(dc);
            SetBkMode(dc, mode);
            m_menuBarRect = m_menuBar->GetRect();
            const auto& p = PartRects();
            const RECT bands[] = {
                {p[3].left, p[3].top, p[3].right, p[3].bottom},
                {p[5].left, p[5].top, p[5].right, p[5].bottom},
                {p[6].left, p[6].top, p[8].right, p[8].bottom},
                {p[0].left, p[0].top, p[2].right, p[0].bottom + RectHeight(m_menuBarRect)},
            };
            for (const RECT& band : bands)
                BitBlt(windowDc, band.left, band.top, RectWidth(band), RectHeight(band), dc,
                       band.left, band.top, SRCCOPY);
            if (clip)
                SelectClipRgn(windowDc, nullptr);
        }
    }
    if (clip)
        DeleteObject(clip);
    ReleaseDC(windowDc);
}

LRESULT SkinFrameWnd::CalcSize(LPARAM lParam) {
    const auto* frame = dynamic_cast<const NinePartFrameSkin*>(Object());
    auto* proposed = reinterpret_cast<RECT*>(lParam);
    if (!frame || !proposed)
        return 0;
    const LONG left = RectWidth(frame->GetPartRect(3));
    const LONG right = RectWidth(frame->GetPartRect(5));
    const int bar = m_mdiChild ? 0 : m_menuBar->GetHeight(RectWidth(*proposed) - left - right);
    proposed->left += left;
    proposed->right -= right;
    proposed->top += RectHeight(frame->GetPartRect(0)) + bar;
    proposed->bottom -= RectHeight(frame->GetPartRect(6));
    return 0;
}

LRESULT SkinFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!GetSavedProc())
        return SkinWnd::WindowProc(message, wParam, lParam);
    const HWND hwnd = GetHwnd();
    switch (message) {
    case WM_DESTROY:
        if (m_mdiChild) {
            RECT gone{};
            GetWindowRect(&gone);
            MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&gone), 2);
            ::SendMessageA(GetParent(hwnd), GWM_MDICHILDGONE, 0, reinterpret_cast<LPARAM>(&gone));
        } else {
            ::SetMenu(hwnd, m_savedMenu);
        }
        return SkinWnd::WindowProc(message, wParam, lParam);
    case WM_SIZE:
        if (m_mdiChild && IsZoomed()) {
            MINMAXINFO info{};
            OnGetMinMaxInfo(&info);
            SetWindowPos(hwnd, nullptr, info.ptMaxPosition.x, info.ptMaxPosition.y,
                         info.ptMaxSize.x, info.ptMaxSize.y, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return SkinWnd::WindowProc(message, wParam, lParam);
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_SETTEXT:
    case WM_SETICON: {
        const auto alive = AliveToken();
        LRESULT result = 0;
        if (message == WM_SETTEXT && m_mdiChild)
            result = WithStyle(m_substituteStyle, message, wParam, lParam);
        else
            result = WithUpdatesLocked(hwnd, message, wParam, lParam);
        if (*alive)
            RedrawNcRect(GetCaptionRect());
        return result;
    }
    case WM_ERASEBKGND:
        if (PaintBackground(reinterpret_cast<HDC>(wParam)))
            return 1;
        return SkinWnd::WindowProc(message, wParam, lParam);
    case WM_SETCURSOR:
        return WithoutSystemMenu(message, wParam, lParam, MdiRoot());
    case WM_WINDOWPOSCHANGED:
        if (m_mdiChild) {
            const auto alive = AliveToken();
            const LRESULT result = WithoutSystemMenu(message, wParam, lParam, MdiRoot());
            if (*alive)
                SendMessage(WM_NCPAINT, 1, 0);
            return result;
        }
        return SkinWnd::WindowProc(message, wParam, lParam);
    case WM_NCCALCSIZE:
        return CalcSize(lParam);
    case WM_NCRBUTTONDOWN:
        // A system-menu button opens the menu on a right press too.
        DispatchToElements(WM_RBUTTONDOWN, WindowPoint(lParam));
        return 0;
    case WM_NCRBUTTONDBLCLK:
        return 0;
    case WM_NCHITTEST:
        return NcHitTest(WindowPoint(lParam));
    case WM_NCPAINT:
        PaintFrame(wParam);
        return 0;
    case WM_NCACTIVATE:
        return OnNcActivate(wParam);
    case WM_NCMOUSEMOVE: {
        const auto alive = AliveToken();
        WithoutSystemMenu(message, wParam, lParam, MdiRoot());
        if (*alive)
            OnNcMouseMove(static_cast<LRESULT>(wParam), WindowPoint(lParam));
        return 0;
    }
    case WM_NCLBUTTONDOWN:
        OnNcLButtonDown(static_cast<LRESULT>(wParam), WindowPoint(lParam));
        return 0;
    case WM_NCLBUTTONUP:
        OnNcLButtonUp(static_cast<LRESULT>(wParam), WindowPoint(lParam));
        return 0;
    case WM_NCLBUTTONDBLCLK:
        OnNcLButtonDblClk(static_cast<LRESULT>(wParam), WindowPoint(lParam));
        return 0;
    case WM_INITMENU:
    case WM_INITMENUPOPUP: {
        const auto alive = AliveToken();
        const LRESULT result =
            WithStyle(m_substituteStyle ? m_substituteStyle : m_style, message, wParam, lParam);
        if (*alive)
            SendMessage(WM_NCPAINT, 1, 0);
        return result;
    }
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(wParam, lParam);
    default:
        break;
    }
    if (message == GWM_OUTSIDE_LBUTTONDOWN || message == GWM_OUTSIDE_RBUTTONDOWN) {
        ReplayOutsideClick(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    }
    if (message == GWM_MENUMOUSEMOVE) {
        const POINT at = WindowPoint(lParam);
        OnNcMouseMove(NcHitTest(at), at);
        return 0;
    }
    if (message == GWM_MENUCLOSED) {
        m_menuBar->OnMenuClosed();
        return SkinWnd::WindowProc(message, wParam, lParam);
    }
    if (message == GWM_PAINTBACKGROUND) {
        if (!m_background) {
            RECT client{};
            GetClientRect(hwnd, &client);
            BuildBackground(client.right, client.bottom);
        }
        if (!m_background)
            return 0;
        return PaintChildBackground(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                    m_background->GetDC());
    }
    if (message == GWM_GETFRAMESTYLE)
        return static_cast<LRESULT>(m_style);
    return SkinWnd::WindowProc(message, wParam, lParam);
}

LRESULT SkinMdiClientWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!GetSavedProc())
        return SkinWnd::WindowProc(message, wParam, lParam);
    const HWND hwnd = GetHwnd();
    if (message == WM_ERASEBKGND) {
        if (const auto* frame = dynamic_cast<const FrameSkin*>(m_owner->Object())) {
            RECT client{};
            GetClientRect(hwnd, &client);
            GlazeworkDrawImagePart(reinterpret_cast<HDC>(wParam), client, frame->mdiClientImage,
                                   frame->frameColor3, TRUE);
            return 1;
        }
        return SkinWnd::WindowProc(message, wParam, lParam);
    }
    if (message == WM_MDICREATE) {
        BOOL maximized = FALSE;
        auto active = reinterpret_cast<HWND>(
            CallSaved(WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
        if (active && maximized)
            ::SendMessageA(active, WM_SYSCOMMAND, SC_RESTORE, 0);
        return SkinWnd::WindowProc(message, wParam, lParam);
    }
    if (message == GWM_MDICHILDGONE) {
        if (!CallSaved(WM_MDIGETACTIVE, 0, 0)) {
            InvalidateRect(hwnd, reinterpret_cast<const RECT*>(lParam), TRUE);
            UpdateWindow(hwnd);
        }
        return 0;
    }
    return SkinWnd::WindowProc(message, wParam, lParam);
}
