#include "controls/control_support.h"

namespace lv::controls {

DWORD style_of(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

HWND parent_of(HWND hwnd) {
    return (style_of(hwnd) & WS_CHILD) ? GetParent(hwnd) : GetWindow(hwnd, GW_OWNER);
}

void notify_parent(HWND hwnd, WORD code) {
    HWND parent = parent_of(hwnd);
    if (!parent)
        return;
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                 reinterpret_cast<LPARAM>(hwnd));
}

LRESULT notify_parent(HWND hwnd, NMHDR& header, UINT code) {
    HWND parent = parent_of(hwnd);
    if (!parent)
        return 0;
    header.hwndFrom = hwnd;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    header.code = code;
    return SendMessageA(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

HBRUSH parent_brush(HWND hwnd, HDC dc, UINT ctlcolor_message) {
    HWND parent = parent_of(hwnd);
    HBRUSH brush = nullptr;
    if (parent)
        brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, ctlcolor_message,
                                                      reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(hwnd)));
    if (!brush)
        brush = reinterpret_cast<HBRUSH>(DefWindowProcA(
            hwnd, ctlcolor_message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    return brush;
}

std::string text_of(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

HFONT font_or_default(HFONT font) {
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void register_system_class(const char* name, WNDPROC proc, UINT style, HBRUSH background) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = kControlExtraBytes;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

} // namespace lv::controls
