// The drawn scroll bars' tool tip: one tool for the whole window, whose text the window gives
// when the tip asks. The bars hold no buttons of their own, so there is no text to give and no
// tip shows; the tip is fed the mouse all the same and put away whenever the cursor is set.
#include "skin/skinners/drawn_scroll_state.h"

#include "win32/tooltips.h"

namespace drawn_sb {
namespace {

// The text of the bars' own buttons; the bars have none.
constexpr UINT kNoTipText = 0;

HINSTANCE InstanceOf(HWND hwnd) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
}

} // namespace

HWND CreateTip(HWND hwnd) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    HWND tip =
        CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, InstanceOf(hwnd), nullptr);
    if (!tip)
        return nullptr;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.hinst = InstanceOf(hwnd);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return tip;
}

void RelayToTip(HWND hwnd, const State& s, UINT message, WPARAM wParam, POINT screen) {
    if (!s.tooltip)
        return;
    POINT client = screen;
    ScreenToClient(hwnd, &client);
    MSG relayed{hwnd, message, wParam, MAKELPARAM(client.x, client.y), GetMessageTime(), screen};
    SendMessageA(s.tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void PutTipAway(const State& s) {
    if (!s.tooltip)
        return;
    SendMessageA(s.tooltip, TTM_ACTIVATE, FALSE, 0);
    SendMessageA(s.tooltip, TTM_POP, 0, 0);
}

bool FillTipText(HWND hwnd, const State& s, LPARAM notice) {
    auto* display = reinterpret_cast<NMTTDISPINFOA*>(notice);
    if (!s.tooltip || !display || display->hdr.hwndFrom != s.tooltip ||
        display->hdr.code != TTN_GETDISPINFOA)
        return false;
    display->lpszText = MAKEINTRESOURCE(kNoTipText);
    display->hinst = InstanceOf(hwnd);
    return true;
}

} // namespace drawn_sb
