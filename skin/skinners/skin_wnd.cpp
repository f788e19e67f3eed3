#include "skin/skinners/skin_wnd.h"

#include "skin/core/skin_draw.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/glazework_menus.h"
#include "skin/skinners/skin_element.h"
#include "skin/skinners/skin_messages.h"

namespace {

constexpr std::uint32_t kEditType = 7;
constexpr std::uint32_t kStaticType = 14;
constexpr char kTabClass[] = "SysTabControl32";

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

SkinWnd::SkinWnd() = default;

SkinWnd::~SkinWnd() {
    *m_alive = false;
    StopElementTimers();
    DeleteElements();
    m_children.clear();
}

LRESULT CALLBACK SkinWnd::SkinWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto* skinner = static_cast<SkinWnd*>(GetPropA(hwnd, kObjectProperty))) {
        // Activation is read from here rather than asked of the system, which not every
        // version can answer.
        if (message == WM_NCACTIVATE)
            skinner->m_active = wParam != 0;
        return skinner->WindowProc(message, wParam, lParam);
    }
    if (auto passOn = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPassOnProperty)))
        return CallWindowProcA(passOn, hwnd, message, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

SkinWnd* FindSkinWnd(HWND hwnd) {
    return SkinManager::Instance().Find(hwnd);
}

LRESULT SkinWnd::CallSaved(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_savedProc)
        return DefWindowProcA(m_hwnd, message, wParam, lParam);
    return CallWindowProcA(m_savedProc, m_hwnd, message, wParam, lParam);
}

LRESULT SkinWnd::WithStyle(DWORD style, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = m_hwnd;
    const auto saved = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style));
    const LRESULT result = SkinWnd::WindowProc(message, wParam, lParam);
    if (IsWindow(hwnd))
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(saved));
    return result;
}

LRESULT SkinWnd::WithoutSystemMenu(UINT message, WPARAM wParam, LPARAM lParam, HWND alsoFrom) {
    const HWND hwnd = m_hwnd;
    const bool alsoHad =
        alsoFrom && alsoFrom != hwnd && (GetWindowLongA(alsoFrom, GWL_STYLE) & WS_SYSMENU);
    if (alsoHad)
        SetWindowLongA(alsoFrom, GWL_STYLE, GetWindowLongA(alsoFrom, GWL_STYLE) & ~WS_SYSMENU);
    const auto style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    LRESULT result = 0;
    if (!(style & WS_SYSMENU)) {
        result = SkinWnd::WindowProc(message, wParam, lParam);
    } else {
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style & ~WS_SYSMENU));
        result = SkinWnd::WindowProc(message, wParam, lParam);
        // The handling may have changed other bits (a move ends maximised): only this one
        // returns.
        if (IsWindow(hwnd))
            SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | WS_SYSMENU);
    }
    if (alsoHad && IsWindow(alsoFrom))
        SetWindowLongA(alsoFrom, GWL_STYLE, GetWindowLongA(alsoFrom, GWL_STYLE) | WS_SYSMENU);
    return result;
}

LRESULT SkinWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_savedProc)
        return DefWindowProcA(m_hwnd, message, wParam, lParam);
    switch (message) {
    case WM_SHOWWINDOW:
        OnShowWindow(wParam, lParam);
        return CallSaved(message, wParam, lParam);
    case WM_NCDESTROY:
        return OnNcDestroy(wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
        // The control's skinner answers for it when it has colours of its own (an edit always,
        // a printed list only while it prints).
        SkinWnd* control = FindSkinWnd(reinterpret_cast<HWND>(lParam));
        if (control)
            if (HBRUSH brush = control->GetOwnerColors(message, reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        return CallSaved(message, wParam, lParam);
    }
    case GWM_CHILDDESTROYED:
        ForgetChild(reinterpret_cast<HWND>(wParam));
        return 0;
    case GWM_MENUKEY:
        return OnMenuKey(wParam, lParam);
    case GWM_SHOWSYSTEMMENU:
        GlazeworkShowSystemMenu(m_hwnd);
        return 0;
    default:
        return CallSaved(message, wParam, lParam);
    }
}

LRESULT SkinWnd::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
    m_beingDestroyed = true;
    // The manager deletes this skinner: what the procedure needs afterwards is kept here.
    const HWND hwnd = m_hwnd;
    const WNDPROC saved = m_savedProc;
    const int removed = SkinManager::Instance().Remove(hwnd);
    if (!removed)
        Detach();
    if (!saved)
        return removed;
    return CallWindowProcA(saved, hwnd, WM_NCDESTROY, wParam, lParam);
}

LRESULT SkinWnd::OnMenuKey(WPARAM, LPARAM) {
    return 0;
}

void SkinWnd::OnShowWindow(WPARAM, LPARAM) {}

void SkinWnd::DrawMenuBar(HDC) {}

void SkinWnd::DrawCaption(HDC, bool) {}

HBRUSH SkinWnd::GetOwnerColors(UINT, HDC) {
    return nullptr;
}

void SkinWnd::Draw(HDC dc) {
    DrawFrame(dc, false);
    DrawClient(dc, false);
}

BOOL SkinWnd::GetWindowRect(RECT* rect) const {
    return ::GetWindowRect(m_hwnd, rect);
}

LRESULT SkinWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(m_hwnd, message, wParam, lParam);
}

BOOL SkinWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return PostMessageA(m_hwnd, message, wParam, lParam);
}

BOOL SkinWnd::ShowWindow(int command) const {
    return ::ShowWindow(m_hwnd, command);
}

BOOL SkinWnd::MoveWindow(const RECT& rect, BOOL repaint) const {
    return ::MoveWindow(m_hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        repaint);
}

BOOL SkinWnd::IsZoomed() const {
    return ::IsZoomed(m_hwnd);
}

BOOL SkinWnd::IsIconic() const {
    return ::IsIconic(m_hwnd);
}

HDC SkinWnd::GetWindowDC() const {
    return ::GetWindowDC(m_hwnd);
}

int SkinWnd::ReleaseDC(HDC dc) const {
    return ::ReleaseDC(m_hwnd, dc);
}

RECT SkinWnd::GetWindowSizeRect() const {
    RECT r{};
    GetWindowRect(&r);
    return RECT{0, 0, r.right - r.left, r.bottom - r.top};
}

HWND SkinWnd::GetRootWindow() const {
    HWND root = m_hwnd;
    while (root && (GetWindowLongA(root, GWL_STYLE) & WS_CHILD)) {
        HWND parent = GetParent(root);
        if (!parent)
            break;
        root = parent;
    }
    return root;
}

bool SkinWnd::IsModalFrameDialog() const {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(m_hwnd, GWL_STYLE));
    return (style & WS_DLGFRAME) && (style & DS_MODALFRAME);
}

bool SkinWnd::IsSizable() const {
    if (IsModalFrameDialog())
        return false;
    return (GetWindowLongA(m_hwnd, GWL_STYLE) & WS_THICKFRAME) != 0;
}

int SkinWnd::ForgetChild(HWND hwnd) {
    return m_children.erase(hwnd) ? 1 : 0;
}

HWND SkinWnd::FindBackgroundWindow() const {
    RECT own{};
    ::GetWindowRect(m_hwnd, &own);
    for (HWND sibling = GetWindow(m_hwnd, GW_HWNDFIRST); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        char name[100] = {};
        if (GetClassNameA(sibling, name, sizeof name) == 0 || lstrcmpiA(name, kTabClass) != 0)
            continue;
        RECT place{};
        ::GetWindowRect(sibling, &place);
        if (Contains(place, own))
            return sibling;
    }
    return GetParent(m_hwnd);
}

BOOL SkinWnd::PaintChildBackground(HDC target, HWND child, HDC background) const {
    RECT area{};
    GetClientRect(child, &area);
    const int width = area.right;
    const int height = area.bottom;
    MapWindowPoints(child, m_hwnd, reinterpret_cast<POINT*>(&area), 2);
    BitBlt(target, 0, 0, width, height, background, area.left, area.top, SRCCOPY);
    return TRUE;
}

LRESULT SkinWnd::OnCtlColorStatic(WPARAM wParam, LPARAM lParam) {
    SkinWnd* control = FindSkinWnd(reinterpret_cast<HWND>(lParam));
    if (control && control->GetType() == kStaticType)
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    if (control && control->GetType() == kEditType)
        if (HBRUSH brush =
                control->GetOwnerColors(WM_CTLCOLORSTATIC, reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
    return CallSaved(WM_CTLCOLORSTATIC, wParam, lParam);
}

void ChooseImageRef(SkinImageRef& out, const SkinImageRef& a, const SkinImageRef& b,
                    const SkinImageRef* c) {
    if (!GlazeworkIsImageRefEmpty(a))
        out = a;
    else if (GlazeworkIsImageRefEmpty(b) && c && !GlazeworkIsImageRefEmpty(*c))
        out = *c;
    else
        out = b;
}

void ChooseNineGridRef(SkinNineGridRef& out, const SkinNineGridRef& a, const SkinNineGridRef& b,
                       const SkinNineGridRef* c) {
    if (!GlazeworkIsNineGridEmpty(a))
        out = a;
    else if (GlazeworkIsNineGridEmpty(b) && c && !GlazeworkIsNineGridEmpty(*c))
        out = *c;
    else
        out = b;
}
