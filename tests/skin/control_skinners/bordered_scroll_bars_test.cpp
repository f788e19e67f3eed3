// Bordered controls hand their scroll bars to the drawn scroll bars on the NT family when the
// skin has a scroll-bar object: sized from the skin, answering the scroll functions, working
// the list by their arrows; given back on detach; the system's bars stay on Windows 98.
#include "skin/core/scroll_bar_skin.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/drawn_scroll_bars.h"
#include "skin/skinners/skin_bar_painter.h"
#include "testing/window_input.h"
#include "tests/skin/control_skinners/control_skinners_fixture.h"
#include "tests/support/scoped_env.h"

#include <string>

namespace lvtest {
namespace {

class BorderedScrollBars : public ControlDialog {
protected:
    HWND FilledList() {
        HWND list = Item(kList);
        for (int i = 0; i < 30; ++i) {
            const std::string item = "Item " + std::to_string(i);
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        Pump();
        return list;
    }
};

TEST_F(BorderedScrollBars, AListBoxDrawsItsBarFromTheSkinAndScrollsByIt) {
    Open();
    HWND list = FilledList();
    ASSERT_TRUE(DrawnSB_IsInitialized(list));
    const ScrollBarSkin* skin = CurrentScrollBarSkin();
    ASSERT_NE(skin, nullptr);
    const RECT arrow = skin->states[ScrollBarSkin::Normal].arrow1.source;
    const RECT bar = DrawnSB_GetBarRect(list, SB_VERT);
    EXPECT_EQ(bar.right - bar.left, arrow.bottom - arrow.top) << "as thick as the skin's arrow";

    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 29);
    RECT place{};
    GetWindowRect(list, &place);
    lv::testing::click(place.left + (bar.left + bar.right) / 2, place.top + bar.bottom - 2);
    Pump();
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 1) << "the down arrow scrolls a line";
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 1);

    // Unskinned, the control has its own bars again.
    SkinManager::Instance().Remove(list);
    EXPECT_FALSE(DrawnSB_IsInitialized(list));
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 30);
}

TEST_F(BorderedScrollBars, Windows98KeepsTheSystemBars) {
    ScopedEnv version("LUMIVISTA_WINVER", "98");
    Open();
    HWND list = FilledList();
    EXPECT_FALSE(DrawnSB_IsInitialized(list));
    SCROLLINFO info{sizeof info, SIF_RANGE, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 29);
}

} // namespace
} // namespace lvtest
