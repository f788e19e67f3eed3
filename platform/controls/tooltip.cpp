// "tooltips_class32": a list of tools and one popup. The mouse messages relayed to it decide
// which tool the pointer rests on; after the initial delay the popup shows that tool's text
// under the pointer, and it goes again after the automatic pop delay, on a click, or when the
// pointer leaves the tool.
#include "controls/control_support.h"
#include "controls/system_classes.h"
#include "win32/resources.h"
#include "win32/tooltips.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace lv::controls {
namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr int kMargin = 3;
constexpr std::size_t kMaxText = 80; // what TTM_GETTEXT may copy into the caller's buffer

struct Tool {
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    HINSTANCE instance = nullptr;
    LPARAM param = 0;
    bool callback = false; // the text is asked of the tool's window
    std::string text;
};

struct TipState {
    std::vector<Tool> tools;
    bool active = true;
    int current = -1; // the tool under the pointer
    bool shown = false;
    UINT initial = 500;
    UINT autopop = 5000;
    UINT reshow = 100;
};

bool same_tool(const Tool& tool, HWND hwnd, UINT_PTR id) {
    return tool.hwnd == hwnd && tool.id == id;
}

int find_tool(const TipState& s, const TOOLINFOA* info) {
    if (!info)
        return -1;
    for (std::size_t i = 0; i < s.tools.size(); ++i) {
        if (same_tool(s.tools[i], info->hwnd, info->uId))
            return static_cast<int>(i);
    }
    return -1;
}

// The tool whose area holds the screen point, -1 for none.
int tool_at(const TipState& s, POINT screen) {
    for (std::size_t i = 0; i < s.tools.size(); ++i) {
        const Tool& tool = s.tools[i];
        RECT area{};
        if (tool.flags & TTF_IDISHWND) {
            if (!GetWindowRect(reinterpret_cast<HWND>(tool.id), &area))
                continue;
        } else {
            if (!IsWindow(tool.hwnd))
                continue;
            area = tool.rect;
            POINT corner{area.left, area.top};
            ClientToScreen(tool.hwnd, &corner);
            OffsetRect(&area, corner.x - area.left, corner.y - area.top);
        }
        if (PtInRect(&area, screen))
            return static_cast<int>(i);
    }
    return -1;
}

// A string resource of the module, empty when it has none of that id.
std::string resource_text(HINSTANCE instance, UINT id) {
    char buffer[kMaxText] = {};
    const int length = LoadStringA(instance, id, buffer, static_cast<int>(sizeof buffer));
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

// The tool's text as it stands now: a text-callback tool asks its window each time.
std::string text_of_tool(HWND tip, const Tool& tool) {
    if (!tool.callback)
        return tool.text;
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = tip;
    info.hdr.idFrom = tool.id;
    info.hdr.code = TTN_GETDISPINFOA;
    info.lpszText = info.szText;
    info.hinst = tool.instance;
    info.uFlags = tool.flags;
    info.lParam = tool.param;
    SendMessageA(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
    if (!info.lpszText || info.lpszText == LPSTR_TEXTCALLBACKA)
        return {};
    if (IS_INTRESOURCE(info.lpszText))
        return resource_text(info.hinst,
                             static_cast<UINT>(reinterpret_cast<ULONG_PTR>(info.lpszText)));
    if (info.lpszText == info.szText)
        return std::string(info.szText, strnlen(info.szText, sizeof info.szText));
    return info.lpszText;
}

void hide(HWND hwnd, TipState& s) {
    KillTimer(hwnd, kShowTimer);
    KillTimer(hwnd, kPopTimer);
    if (s.shown)
        ShowWindow(hwnd, SW_HIDE);
    s.shown = false;
}

void show(HWND hwnd, TipState& s) {
    if (s.current < 0 || !s.active)
        return;
    const std::string text = text_of_tool(hwnd, s.tools[static_cast<std::size_t>(s.current)]);
    // A tool without text shows no tip.
    if (text.empty())
        return;
    SetWindowTextA(hwnd, text.c_str());
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font_or_default(nullptr));
    RECT extent{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &extent,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    const int width = extent.right + 2 * kMargin + 2;
    const int height = extent.bottom + 2 * kMargin;
    POINT at{};
    GetCursorPos(&at);
    at.y += GetSystemMetrics(SM_CYCURSOR) * 2 / 3;
    at.x = std::clamp<int>(at.x, 0, std::max(0, GetSystemMetrics(SM_CXSCREEN) - width));
    if (at.y + height > GetSystemMetrics(SM_CYSCREEN))
        at.y = std::max(0, at.y - height - GetSystemMetrics(SM_CYCURSOR));
    SetWindowPos(hwnd, HWND_TOPMOST, at.x, at.y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    s.shown = true;
    SetTimer(hwnd, kPopTimer, s.autopop, nullptr);
}

void pointer_at(HWND hwnd, TipState& s, POINT screen) {
    const int tool = tool_at(s, screen);
    if (tool == s.current)
        return;
    const bool was_shown = s.shown;
    hide(hwnd, s);
    s.current = tool;
    if (tool >= 0 && s.active)
        SetTimer(hwnd, kShowTimer, was_shown ? s.reshow : s.initial, nullptr);
}

LRESULT relay(HWND hwnd, TipState& s, const MSG* msg) {
    if (!msg)
        return 0;
    switch (msg->message) {
    case WM_MOUSEMOVE: {
        POINT p{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
        ClientToScreen(msg->hwnd, &p);
        pointer_at(hwnd, s, p);
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        hide(hwnd, s);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT add_tool(TipState& s, const TOOLINFOA* info) {
    if (!info || info->cbSize < offsetof(TOOLINFOA, lParam) || find_tool(s, info) >= 0)
        return FALSE;
    Tool tool;
    tool.flags = info->uFlags;
    tool.hwnd = info->hwnd;
    tool.id = info->uId;
    tool.rect = info->rect;
    tool.instance = info->hinst;
    tool.param = info->lParam;
    if (info->lpszText == LPSTR_TEXTCALLBACKA)
        tool.callback = true;
    else if (info->lpszText && IS_INTRESOURCE(info->lpszText))
        tool.text = resource_text(info->hinst,
                                  static_cast<UINT>(reinterpret_cast<ULONG_PTR>(info->lpszText)));
    else if (info->lpszText)
        tool.text = info->lpszText;
    s.tools.push_back(std::move(tool));
    return TRUE;
}

LRESULT delete_tool(HWND hwnd, TipState& s, const TOOLINFOA* info) {
    const int index = find_tool(s, info);
    if (index < 0)
        return 0;
    if (index == s.current) {
        hide(hwnd, s);
        s.current = -1;
    } else if (index < s.current) {
        --s.current;
    }
    s.tools.erase(s.tools.begin() + index);
    return 0;
}

LRESULT get_text(HWND hwnd, const TipState& s, TOOLINFOA* info) {
    const int index = find_tool(s, info);
    if (index < 0 || !info->lpszText)
        return 0;
    const std::string text = text_of_tool(hwnd, s.tools[static_cast<std::size_t>(index)]);
    const std::size_t count = std::min(text.size(), kMaxText - 1);
    std::copy_n(text.data(), count, info->lpszText);
    info->lpszText[count] = '\0';
    return 0;
}

void set_delay(TipState& s, WPARAM which, LPARAM value) {
    const int ms = static_cast<SHORT>(LOWORD(value));
    const UINT initial = ms < 0 ? 500u : static_cast<UINT>(ms);
    switch (which) {
    case TTDT_INITIAL:
        s.initial = initial;
        break;
    case TTDT_AUTOPOP:
        s.autopop = ms < 0 ? 5000u : static_cast<UINT>(ms);
        break;
    case TTDT_RESHOW:
        s.reshow = ms < 0 ? 100u : static_cast<UINT>(ms);
        break;
    default:
        s.initial = initial;
        s.autopop = initial * 10;
        s.reshow = initial / 5;
        break;
    }
}

void paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc)
        return;
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
    const std::string text = text_of(hwnd);
    HGDIOBJ old = SelectObject(dc, font_or_default(nullptr));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    RECT inside = client;
    InflateRect(&inside, -kMargin, -kMargin);
    inside.left += 1;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &inside,
              DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK tooltip_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<TipState>(hwnd);
    TipState* s = state_of<TipState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        destroy_state<TipState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT:
        paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == kShowTimer) {
            KillTimer(hwnd, kShowTimer);
            show(hwnd, *s);
        } else if (wParam == kPopTimer) {
            hide(hwnd, *s);
        }
        return 0;
    case TTM_ACTIVATE:
        s->active = wParam != FALSE;
        if (!s->active)
            hide(hwnd, *s);
        return 0;
    case TTM_SETDELAYTIME:
        set_delay(*s, wParam, lParam);
        return 0;
    case TTM_ADDTOOLA:
        return add_tool(*s, reinterpret_cast<const TOOLINFOA*>(lParam));
    case TTM_DELTOOLA:
        return delete_tool(hwnd, *s, reinterpret_cast<const TOOLINFOA*>(lParam));
    case TTM_NEWTOOLRECTA: {
        const auto* info = reinterpret_cast<const TOOLINFOA*>(lParam);
        const int index = find_tool(*s, info);
        if (index >= 0)
            s->tools[static_cast<std::size_t>(index)].rect = info->rect;
        return 0;
    }
    case TTM_RELAYEVENT:
        return relay(hwnd, *s, reinterpret_cast<const MSG*>(lParam));
    case TTM_GETTEXTA:
        return get_text(hwnd, *s, reinterpret_cast<TOOLINFOA*>(lParam));
    case TTM_GETTOOLCOUNT:
        return static_cast<LRESULT>(s->tools.size());
    case TTM_POP:
        hide(hwnd, *s);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_tooltip_class() {
    register_system_class(TOOLTIPS_CLASSA, tooltip_proc, CS_SAVEBITS, nullptr);
}

} // namespace lv::controls
