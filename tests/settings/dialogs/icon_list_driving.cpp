#include "tests/settings/dialogs/icon_list_driving.h"

#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/settings/dialogs/dialog_driving.h"

#include <gtest/gtest.h>

namespace dlgdrive {

IconList::IconList(HWND list)
    : m_hwnd(list), m_list(dynamic_cast<CIconListBox*>(CWnd::FromHandlePermanent(list))) {
    EXPECT_NE(m_list, nullptr);
}

std::string IconList::Text(int index) const {
    CString text;
    m_list->GetText(index, text);
    return text.GetString();
}

RECT IconList::ShowItem(int index) const {
    RECT client{}, item{};
    GetClientRect(m_hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(m_hwnd, &origin);
    // The arrows at the ends of the list's scroll bar, right of its client area.
    const int barX = origin.x + client.right + GetSystemMetrics(SM_CXVSCROLL) / 2;
    for (int clicks = 0; clicks < 40; ++clicks) {
        m_list->GetItemRect(index, &item);
        if (item.top >= client.top && item.bottom <= client.bottom)
            break;
        const bool up = item.top < client.top;
        lv::testing::click(barX, up ? origin.y + 3 : origin.y + client.bottom - 3);
        Pump(GetAncestor(m_hwnd, GA_ROOT));
    }
    return item;
}

void IconList::ClickItem(int index) const {
    const RECT item = ShowItem(index);
    POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(m_hwnd, &p);
    lv::testing::click(p.x, p.y);
    Pump(GetAncestor(m_hwnd, GA_ROOT));
}

COLORREF IconList::IconPixel(int index, int x, int y) const {
    const RECT item = ShowItem(index);
    UpdateWindow(m_hwnd);
    RECT window{};
    GetWindowRect(m_hwnd, &window);
    POINT origin{0, 0};
    ClientToScreen(m_hwnd, &origin);
    // The icon sits 3 pixels right and 2 down of the item's corner.
    return lv::testing::window_pixel(m_hwnd, origin.x - window.left + item.left + 3 + x,
                                     origin.y - window.top + item.top + 2 + y);
}

} // namespace dlgdrive
