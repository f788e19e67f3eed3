#include "tests/support/window_probe.h"

namespace lvtest {

std::string WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), length + 1)));
    return text;
}

RECT RectInWindow(HWND topLevel, HWND control) {
    RECT window{}, rect{};
    GetWindowRect(topLevel, &window);
    GetWindowRect(control, &rect);
    OffsetRect(&rect, -window.left, -window.top);
    return rect;
}

} // namespace lvtest
