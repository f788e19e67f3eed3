#include "mfc/wnd.h"

#include "mfc/winapp.h"
#include "window/thread_id.h"

#include <cstdio>

#include <mutex>
#include <set>
#include <string>

namespace {

thread_local MSG t_current_message{};
thread_local CWnd* t_window_being_created = nullptr;
thread_local HHOOK t_creation_hook = nullptr;

constexpr char kDefaultClassName[] = "AfxWnd";
// Where AfxWndProc, left in a window's chain under a later subclass when its object let the
// window go, keeps the procedure it passes every message on to.
constexpr char kPassOnProperty[] = "AfxWndProc.PassOn";

// Keeps the current message for Default() while one message is handled; nested sends restore
// the outer one.
class CurrentMessageScope {
public:
    CurrentMessageScope(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
        : m_saved(t_current_message) {
        t_current_message = MSG{hwnd, message, wParam, lParam, 0, {0, 0}};
    }
    ~CurrentMessageScope() { t_current_message = m_saved; }
    CurrentMessageScope(const CurrentMessageScope&) = delete;
    CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;

private:
    MSG m_saved;
};

// Routes the window through AfxWndProc and keeps the procedure it had for the default handling.
WNDPROC route_through_library(HWND hwnd) {
    // AfxWndProc is still in the chain from an earlier object: this one takes its place there.
    if (auto passOn = reinterpret_cast<WNDPROC>(::RemovePropA(hwnd, kPassOnProperty)))
        return passOn == &::DefWindowProcA ? nullptr : passOn;
    const auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return previous == &AfxWndProc ? nullptr : previous;
}

LRESULT CALLBACK creation_hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && t_window_being_created != nullptr) {
        CWnd* wnd = t_window_being_created;
        t_window_being_created = nullptr;
        lv::mfc::attach_created_window(wnd, reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(t_creation_hook, code, wParam, lParam);
}

bool is_ctl_color(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

std::mutex g_class_mutex;
std::set<std::string> g_registered_classes;

} // namespace

namespace lv::mfc {

void attach_created_window(CWnd* wnd, HWND hwnd) {
    if (!wnd->Attach(hwnd))
        return;
    wnd->m_pfnSuper = route_through_library(hwnd);
}

CreationHook::CreationHook(CWnd* wnd) {
    t_window_being_created = wnd;
    if (t_creation_hook == nullptr)
        t_creation_hook =
            ::SetWindowsHookExA(WH_CBT, &creation_hook, nullptr, lv::window::current_thread_id());
}

CreationHook::~CreationHook() {
    t_window_being_created = nullptr;
    if (t_creation_hook != nullptr) {
        ::UnhookWindowsHookEx(t_creation_hook);
        t_creation_hook = nullptr;
    }
}

const MSG& current_message() {
    return t_current_message;
}

} // namespace lv::mfc

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (wnd == nullptr) {
        if (auto passOn = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kPassOnProperty)))
            return ::CallWindowProcA(passOn, hwnd, message, wParam, lParam);
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    CurrentMessageScope scope(hwnd, message, wParam, lParam);
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    // A handler that kept WM_NCDESTROY from the base still lets the object go.
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hwnd) == wnd)
        wnd->finish_nc_destroy();
    return result;
}

LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    HINSTANCE instance = AfxGetInstanceHandle();
    char name[128];
    std::snprintf(name, sizeof name, "Afx:%p:%x:%p:%p:%p", static_cast<void*>(instance), classStyle,
                  static_cast<void*>(cursor), static_cast<void*>(background),
                  static_cast<void*>(icon));
    std::lock_guard lock(g_class_mutex);
    const auto [it, added] = g_registered_classes.insert(name);
    if (added) {
        WNDCLASSA wc{};
        wc.style = classStyle;
        wc.lpfnWndProc = &::DefWindowProcA;
        wc.hInstance = instance;
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = it->c_str();
        WNDCLASSA existing{};
        if (!::GetClassInfoA(instance, wc.lpszClassName, &existing) && ::RegisterClassA(&wc) == 0) {
            g_registered_classes.erase(it);
            return nullptr;
        }
    }
    return it->c_str();
}

CWnd::~CWnd() {
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    Detach();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass != nullptr)
        return TRUE;
    HINSTANCE instance = AfxGetInstanceHandle();
    WNDCLASSA existing{};
    if (!::GetClassInfoA(instance, kDefaultClassName, &existing)) {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &::DefWindowProcA;
        wc.hInstance = instance;
        wc.lpszClassName = kDefaultClassName;
        if (::RegisterClassA(&wc) == 0)
            return FALSE;
    }
    cs.lpszClass = kDefaultClassName;
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param) {
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu, LPVOID param) {
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCT cs{};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = static_cast<LONG>(style);
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = idOrMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs))
        return FALSE;
    HWND hwnd = nullptr;
    {
        lv::mfc::CreationHook hook(this);
        hwnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName,
                                 static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    }
    if (hwnd == nullptr) {
        // Creation refused after the window existed (WM_NCCREATE or WM_CREATE said no).
        Detach();
        return FALSE;
    }
    return m_hWnd == hwnd;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr)
        return FALSE;
    HWND hwnd = m_hWnd;
    const bool permanent = FromHandlePermanent(hwnd) == this;
    const BOOL destroyed = ::DestroyWindow(hwnd);
    // A window that was never routed through AfxWndProc never saw the map let it go.
    if (!permanent)
        m_hWnd = nullptr;
    return destroyed;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd))
        return FALSE;
    PreSubclassWindow();
    m_pfnSuper = route_through_library(hwnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (parent == nullptr)
        return FALSE;
    HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return control != nullptr && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == nullptr)
        return nullptr;
    const WNDPROC super = m_pfnSuper ? m_pfnSuper : &::DefWindowProcA;
    if (::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc))
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
    else
        // A later subclass calls AfxWndProc on: it stays in the chain and passes everything on.
        ::SetPropA(m_hWnd, kPassOnProperty, reinterpret_cast<HANDLE>(super));
    m_pfnSuper = nullptr;
    return Detach();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = t_current_message;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY)
        return OnNotify(wParam, lParam, result);
    const UINT lookup = is_ctl_color(message) ? WM_CTLCOLOR : message;
    const AFX_MSGMAP_ENTRY* entry = lv::mfc::find_message_entry(GetMessageMap(), lookup, 0, 0);
    if (entry == nullptr)
        return FALSE;
    return entry->pfn(this, message, wParam, lParam, *result) ? TRUE : FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control != nullptr) {
        CWnd* child = FromHandlePermanent(control);
        if (child != nullptr && child->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
    }
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr)
        return FALSE;
    CWnd* child = FromHandlePermanent(header->hwndFrom);
    if (child != nullptr && child->OnChildNotify(WM_NOTIFY, 0, lParam, result))
        return TRUE;
    const AFX_MSGMAP_ENTRY* entry = lv::mfc::find_message_entry(
        GetMessageMap(), WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom));
    if (entry == nullptr)
        return FALSE;
    LRESULT ignored = 0;
    return entry->pfn(this, WM_NOTIFY, 0, lParam, result ? *result : ignored) ? TRUE : FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    UINT lookup = message;
    UINT code = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
    } else if (message == WM_NOTIFY) {
        code = reinterpret_cast<const NMHDR*>(lParam)->code;
    } else if (is_ctl_color(message)) {
        lookup = WM_CTLCOLOR;
    } else if (message != WM_DRAWITEM && message != WM_MEASUREITEM) {
        return FALSE;
    }
    const AFX_MSGMAP_ENTRY* entry =
        lv::mfc::find_message_entry(GetMessageMap(), WM_REFLECT_BASE + lookup, code, 0);
    if (entry == nullptr)
        return FALSE;
    LRESULT handled = 0;
    if (!entry->pfn(this, message, wParam, lParam, handled))
        return FALSE;
    if (result != nullptr)
        *result = handled;
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* wnd, UINT) {
    const MSG& msg = t_current_message;
    LRESULT result = 0;
    CWnd* child = FromHandlePermanent(wnd ? wnd->m_hWnd : nullptr);
    if (child != nullptr && child->OnChildNotify(msg.message, msg.wParam, msg.lParam, &result))
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT item) {
    const MSG& msg = t_current_message;
    CWnd* child = FromHandlePermanent(item ? item->hwndItem : nullptr);
    if (child != nullptr && child->OnChildNotify(WM_DRAWITEM, msg.wParam, msg.lParam, nullptr))
        return;
    Default();
}

void CWnd::OnMeasureItem(int id, LPMEASUREITEMSTRUCT) {
    const MSG& msg = t_current_message;
    CWnd* child = FromHandlePermanent(::GetDlgItem(m_hWnd, id));
    if (child != nullptr && child->OnChildNotify(WM_MEASUREITEM, msg.wParam, msg.lParam, nullptr))
        return;
    Default();
}

void CWnd::OnNcDestroy() {
    CWinThread* thread = AfxGetThread();
    if (thread != nullptr && thread->m_pMainWnd == this) {
        thread->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    Default();
    finish_nc_destroy();
}

void CWnd::finish_nc_destroy() {
    if (m_pfnSuper != nullptr &&
        ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc))
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_CTLCOLOR()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_NCDESTROY()
END_MESSAGE_MAP()
