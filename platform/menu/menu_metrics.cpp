#include "menu/menu_metrics.h"

#include "win32/window.h"

#include <algorithm>
#include <cctype>

namespace lv::menu {

HFONT menu_font() {
    static HFONT font = [] {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        return CreateFontIndirectA(&metrics.lfMenuFont);
    }();
    return font;
}

SIZE text_size(HDC dc, const std::string& text) {
    HDC own = dc ? nullptr : CreateCompatibleDC(nullptr);
    HDC target = dc ? dc : own;
    HGDIOBJ old = own ? SelectObject(own, menu_font()) : nullptr;
    RECT r{0, 0, 0, 0};
    DrawTextA(target, text.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    if (own) {
        SelectObject(own, old);
        DeleteDC(own);
    }
    return SIZE{r.right - r.left, r.bottom - r.top};
}

ItemText split_item_text(const std::string& text) {
    size_t tab = text.find('\t');
    if (tab == std::string::npos)
        return ItemText{text, {}};
    return ItemText{text.substr(0, tab), text.substr(tab + 1)};
}

char mnemonic_of(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

int popup_row_height() {
    static const int height =
        std::max(GetSystemMetrics(SM_CYMENU) - 2, text_size(nullptr, "Ag").cy + 4);
    return height;
}

int check_column_width() {
    return GetSystemMetrics(SM_CXMENUCHECK) + 6;
}

int arrow_column_width() {
    return GetSystemMetrics(SM_CXMENUCHECK) + 4;
}

int bar_row_height() {
    return GetSystemMetrics(SM_CYMENU);
}

} // namespace lv::menu
