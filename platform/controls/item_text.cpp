#include "controls/item_text.h"

#include "controls/control_support.h"

#include <algorithm>
#include <cstring>

namespace lv::controls {

int copy_text(const std::string& text, char* buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    const int count = std::min(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), static_cast<std::size_t>(count));
    buffer[count] = '\0';
    return count;
}

std::string text_from(LPCSTR text) {
    return text ? std::string(text) : std::string();
}

SIZE text_size(HWND hwnd, HFONT font, const std::string& text) {
    SIZE size{0, 0};
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font_or_default(font));
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return size;
}

int line_height(HWND hwnd, HFONT font) {
    return text_size(hwnd, font, "Ag").cy;
}

} // namespace lv::controls
